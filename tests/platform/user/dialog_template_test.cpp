#include <gtest/gtest.h>

#include "user/dialog_template.h"
#include "dialog_template_builder.h"

using namespace dialog_test;
using qz370::platform::parse_dialog_template;

TEST(DialogTemplate, ReadsTheHeaderAndEveryControl)
{
    TemplateBuilder builder = line_input_template(u"Your name?");
    const auto dialog = parse_dialog_template(builder.get());
    ASSERT_TRUE(dialog.has_value());
    EXPECT_EQ(dialog->style, DIALOG_STYLE);
    EXPECT_EQ(dialog->x, 50);
    EXPECT_EQ(dialog->width, 185);
    EXPECT_EQ(dialog->height, 92);
    EXPECT_EQ(dialog->title, "QZ370_gets");
    ASSERT_EQ(dialog->controls.size(), 3u);

    const auto &edit = dialog->controls[0];
    EXPECT_EQ(edit.class_name, "EDIT");
    EXPECT_EQ(edit.style, EDIT_STYLE);
    EXPECT_EQ(edit.id, EDIT_ID);
    EXPECT_EQ(edit.y, 30);
    EXPECT_EQ(edit.text, "");
    EXPECT_EQ(dialog->controls[1].class_name, "BUTTON");
    EXPECT_EQ(dialog->controls[1].text, "Okay");
    EXPECT_EQ(dialog->controls[1].height, 14);
    EXPECT_EQ(dialog->controls[2].class_name, "STATIC");
    EXPECT_EQ(dialog->controls[2].text, "Your name?");
    EXPECT_EQ(dialog->controls[2].id, STATIC_ID);
}

// A font given in the header, a class given by name, a resource number in
// place of a text, and creation data are all read past.
TEST(DialogTemplate, ReadsPastFontNamesResourcesAndCreationData)
{
    TemplateBuilder builder;
    builder.header(DIALOG_STYLE | DS_SETFONT, 2, -3, 4, 100, 50, u"T").word(8).text(u"Some Face");
    builder.control_fields(WS_CHILD, 1, 2, 3, 4, 7).text(u"button").word(0xFFFF).word(42).word(6).word(1).word(2);
    builder.control(WS_CHILD, 5, 6, 7, 8, 9, STATIC_ATOM, u"after");
    const auto dialog = parse_dialog_template(builder.get());
    ASSERT_TRUE(dialog.has_value());
    EXPECT_EQ(dialog->x, -3);
    ASSERT_EQ(dialog->controls.size(), 2u);
    EXPECT_EQ(dialog->controls[0].class_name, "button");
    EXPECT_EQ(dialog->controls[0].text, "");
    EXPECT_EQ(dialog->controls[1].id, 9);
    EXPECT_EQ(dialog->controls[1].text, "after");
}

TEST(DialogTemplate, TextsAreNarrowedToWindows1252)
{
    TemplateBuilder builder;
    builder.header(DIALOG_STYLE, 0, 0, 0, 10, 10, std::u16string{0x20AC, 0x0081, 0x00E9, 0x0178, 0x4E00, 'A'});
    const auto dialog = parse_dialog_template(builder.get());
    ASSERT_TRUE(dialog.has_value());
    EXPECT_EQ(dialog->title, "\x80\x81\xE9\x9F?A");
}

TEST(DialogTemplate, RefusesWhatItCannotBuild)
{
    EXPECT_FALSE(parse_dialog_template(nullptr).has_value());

    TemplateBuilder extended;
    extended.word(1).word(0xFFFF).dword(0).dword(0).dword(DIALOG_STYLE).word(0).word(0).word(0).word(0).word(0);
    extended.word(0).word(0).word(0);
    EXPECT_FALSE(parse_dialog_template(extended.get()).has_value());

    TemplateBuilder with_menu;
    with_menu.dword(DIALOG_STYLE).dword(0).word(0).word(0).word(0).word(10).word(10).word(0xFFFF).word(5).word(0).word(0);
    EXPECT_FALSE(parse_dialog_template(with_menu.get()).has_value());

    TemplateBuilder own_class;
    own_class.dword(DIALOG_STYLE).dword(0).word(0).word(0).word(0).word(10).word(10).word(0).text(u"Mine").word(0);
    EXPECT_FALSE(parse_dialog_template(own_class.get()).has_value());

    TemplateBuilder list_box;
    list_box.header(DIALOG_STYLE, 1, 0, 0, 10, 10, u"").control(WS_CHILD, 0, 0, 5, 5, 1, 0x0083, u"");
    EXPECT_FALSE(parse_dialog_template(list_box.get()).has_value());
}
