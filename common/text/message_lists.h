// The lists the programs' message tables are made of, written in
// resources/messages/ (the build makes each an array): the lists two or
// three programs share, number for number, written once, and each program's
// own. A program's table merges its lists in number order (merge_messages).
#pragma once

#include "common/text/message_table.h"
#include "platform/kernel/sjis_text.h"

#include "messages/shared_all.inc"               // kMessagesOfAllPrograms
#include "messages/shared_notarix_gravlet.inc"   // kMessagesOfNotarixAndGravlet
#include "messages/shared_notarix_orbaline.inc"  // kMessagesOfNotarixAndOrbaline
#include "messages/shared_gravlet_orbaline.inc"  // kMessagesOfGravletAndOrbaline
#include "messages/notarix.inc"                  // kNotarixOwnMessages
#include "messages/gravlet.inc"                  // kGravletOwnMessages
#include "messages/orbaline.inc"                 // kOrbalineOwnMessages
