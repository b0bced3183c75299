#include "common/text/message_lists.h"
#include "orbaline/chart/chart_messages.h"
#include "platform/kernel/sjis_text.h"

// ORBALINE's table: its own texts and those it shares, in number order.
const std::array<MessageEntry, kOrbalineMessageCount> kOrbalineMessageEntries = merge_messages<kOrbalineMessageCount>(
    kOrbalineOwnMessages, kMessagesOfAllPrograms, kMessagesOfNotarixAndOrbaline, kMessagesOfGravletAndOrbaline);

const MessageTable kOrbalineMessages = {kOrbalineMessageEntries.data(), kOrbalineMessageCount};

const char* orbaline_message(int id) { return lookup_message(kOrbalineMessages, id); }

std::string orbaline_message_text(int id) {
    const char* text = orbaline_message(id);
    return text ? text : "";
}
