// Every text the three programs show from their tables (message tables,
// menus, dialog templates, string resources) is the bytes it was when the
// texts were still written as escapes: the dump below is compared with the
// fixture taken then. PROGRAM_TEXTS_RECORD=1 writes the fixture anew.
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "common/text/message_table.h"
#include "gravlet/pad/messages.h"
#include "orbaline/chart/chart_messages.h"
#include "resources/common/shell_dialog_templates.h"
#include "resources/gravlet/gravlet_resources.h"
#include "resources/notarix/form_editor_resources.h"
#include "resources/notarix/generation_dialog_templates.h"
#include "resources/notarix/notarix_resources.h"
#include "resources/notarix/settings_dialog_templates.h"
#include "resources/orbaline/orbaline_resources.h"

namespace {

// One line a text: where it stands, a tab, its bytes (control bytes as \xHH).
class Dump {
public:
    void text(const std::string& where, const char* bytes) {
        out_ << where << '\t';
        for (const char* p = bytes ? bytes : ""; *p != '\0'; ++p) {
            const auto c = static_cast<unsigned char>(*p);
            if (c < 0x20) {
                static const char kHex[] = "0123456789ABCDEF";
                out_ << "\\x" << kHex[c >> 4] << kHex[c & 15];
            } else {
                out_ << *p;
            }
        }
        out_ << '\n';
    }

    void messages(const std::string& program, const MessageTable& table) {
        for (int i = 0; i < table.count; ++i)
            text(program + " message " + std::to_string(i) + " #" + std::to_string(table.entries[i].id),
                 table.entries[i].text);
    }

    void menu(const std::string& where, std::span<const MenuItemTemplate> items) {
        for (size_t i = 0; i < items.size(); ++i) {
            const std::string at = where + "/" + std::to_string(i) + " #" + std::to_string(items[i].id);
            if (items[i].text) text(at, items[i].text);
            menu(at, items[i].popup);
        }
    }

    void resources(const ResourceTable& t) {
        const std::string program = t.program;
        for (const MenuResource& m : t.menus) menu(program + " menu " + m.name, m.items);
        for (const StringResource& s : t.strings) text(program + " string #" + std::to_string(s.id), s.text);
        for (const DialogTemplate& d : t.dialogs) {
            const std::string at = program + " dialog " + d.name;
            text(at + " caption", d.caption);
            if (d.font_face) text(at + " font", d.font_face);
            for (const DialogItemTemplate& item : d.items)
                text(at + " item #" + std::to_string(item.id) + " " + item.class_name, item.text);
        }
    }

    std::string str() const { return out_.str(); }

private:
    std::ostringstream out_;
};

TEST(ProgramTexts, AreTheBytesTheyWere) {
    Dump d;
    d.messages("NOTARIX", kNotarixMessages);
    d.messages("GRAVLET", kGravletMessages);
    d.messages("ORBALINE", kOrbalineMessages);
    for (const ResourceTable* t : {&notarix_resources::kTable, &settings_dialog_templates::kTable,
                                   &generation_dialog_templates::kTable, &form_editor_resources::kTable,
                                   &gravlet_resources::kTable, &orbaline_resources::kTable,
                                   &shell_dialog_templates::kTable})
        d.resources(*t);
    const std::string fixture = std::string(TEST_DATA_DIR) + "/texts/program_texts.txt";
    if (const char* record = std::getenv("PROGRAM_TEXTS_RECORD"); record && *record == '1') {
        std::ofstream(fixture, std::ios::binary) << d.str();
        GTEST_SKIP() << "recorded " << fixture;
    }
    std::ifstream in(fixture, std::ios::binary);
    ASSERT_TRUE(in) << fixture;
    std::stringstream expected;
    expected << in.rdbuf();
    // line by line, so a failure names the text
    std::istringstream seen(d.str()), was(expected.str());
    std::string a, b;
    int line = 0;
    while (std::getline(was, b)) {
        ++line;
        ASSERT_TRUE(std::getline(seen, a)) << "texts end before fixture line " << line << ": " << b;
        EXPECT_EQ(a, b) << "line " << line;
    }
    EXPECT_FALSE(std::getline(seen, a)) << "a text more than the fixture: " << a;
}

}  // namespace
