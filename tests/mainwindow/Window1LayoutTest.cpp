// The main window as it is built from its layout records, before its Open event.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QPainter>
#include <QStyleOptionComboBox>
#include <climits>

#include "app/MenuBar1.h"
#include "framework/runtime/Runtime.h"
#include "mainwindow/Window1.h"
#include "tests/mainwindow/MainWindowFixture.h"

namespace {

struct ExpectedControl {
    const char* name;
    const char* kind;
    int32_t left, top, width, height;
    bool lockBottom;
    bool visible;
    const char* text;  // Caption or Text; nullptr when the kind has neither
    const char* helpTag;
    std::vector<const char*> events;
};

const char* const kWellHelp = "Main screen image. A copy of this image will be modified by Zentravelle.";

const std::vector<ExpectedControl>& Table() {
    static const std::vector<ExpectedControl> table = {
        {"ImageWell1", "ImageWell", 20, 112, 300, 159, false, true, nullptr, kWellHelp,
         {"MouseDown", "MouseUp", "MouseExit", "DropObject"}},
        {"RoundRectangle1", "RoundRectangle", 20, 26, 298, 18, false, true, nullptr, "Click to set menubar color",
         {"MouseDown", "MouseUp"}},
        {"PushButton1", "PushButton", 187, 442, 130, 20, true, true, "Set Desktop",
         "Update the desktop picture with these settings", {"Action"}},
        {"StaticText1", "StaticText", 20, 3, 247, 20, false, true, "Click to select a menubar background color", "", {}},
        {"StaticText2", "StaticText", 20, 93, 297, 20, false, true,
         "Click to select a desktop image, or drag an image file here", "", {}},
        {"CheckBox1", "CheckBox", 73, 339, 155, 20, true, true, "Round-off corners", "Give the menubar rounded corners",
         {}},
        {"PopupMenu1", "PopupMenu", 66, 284, 208, 20, true, true, nullptr, "Choose how to draw the picture", {"Change"}},
        {"CheckBox2", "CheckBox", 73, 313, 218, 20, true, true, "Keep image below menubar",
         "Don't cover any of the image with the menubar", {}},
        {"Rectangle1", "Rectangle", 281, 285, 36, 20, true, false, nullptr, "Select the background color",
         {"MouseDown", "MouseExit", "MouseUp"}},
        {"Separator1", "Separator", 20, 497, 300, 13, true, true, nullptr, "", {}},
        {"CheckBox3", "CheckBox", 93, 513, 186, 20, true, true, "Fix my dock, too", "Changes dock to a flat appearance",
         {"Action"}},
        {"PushButton2", "PushButton", 20, 442, 130, 20, true, true, "Revert Desktop",
         "Remove Zentravelle effects from the desktop", {"Action"}},
        {"CheckBox4", "CheckBox", 65, 472, 233, 20, true, true, "Automatically apply to changes", "", {"Action"}},
        {"UpDownArrows1", "UpDownArrows", 250, 405, 13, 23, true, true, nullptr, "", {"Up", "Down"}},
        {"StaticText3", "StaticText", 57, 406, 188, 20, true, true, "Adjust menubar height:   0", "", {}},
        {"Timer1", "Timer", 0, 0, 0, 0, false, true, nullptr, nullptr, {"Action"}},
        {"BevelButton1", "BevelButton", 0, 511, 38, 22, true, true, "?", "", {"Action"}},
        {"DisclosureTriangle1", "DisclosureTriangle", 20, 357, 18, 18, true, true, nullptr, "", {"Action"}},
        {"StaticText4", "StaticText", 35, 357, 151, 20, true, true, "Advanced", "", {}},
        {"StaticText5", "StaticText", 52, 381, 146, 20, true, true, "Image save format:", "", {}},
        {"PopupMenu2", "PopupMenu", 204, 380, 80, 20, true, true, nullptr, "", {}},
        {"Separator2", "Separator", 102, 367, 218, 2, true, false, nullptr, "", {}},
        {"EditField1", "EditField", 20, 65, 254, 22, false, true, "", "", {}},
        {"StaticText6", "StaticText", 20, 46, 263, 20, false, true, "Text to center in menubar", "", {}},
        {"Rectangle2", "Rectangle", 281, 66, 36, 20, false, true, nullptr, "", {"MouseDown", "MouseExit", "MouseUp"}},
    };
    return table;
}

int32_t IntOf(const Control& c, const char* property) { return std::get<int32_t>(c.GetProperty(property)); }
bool BoolOf(const Control& c, const char* property) { return std::get<bool>(c.GetProperty(property)); }
QString StringOf(const Control& c, const char* property) { return std::get<QString>(c.GetProperty(property)); }
Color ColorOf(const Control& c, const char* property) { return std::get<Color>(c.GetProperty(property)); }

using Window1Layout = MainWindowTest;

TEST_F(Window1Layout, WindowTakesItsRecord) {
    EXPECT_EQ(window->Title(), QStringLiteral("Zentravelle"));
    EXPECT_EQ(window->Width(), 340);
    EXPECT_EQ(window->Height(), 547);
    EXPECT_EQ(window->MinWidth(), 64);
    EXPECT_EQ(window->MaxHeight(), 32000);
    EXPECT_EQ(window->Frame(), 0);
    EXPECT_FALSE(window->Resizeable());
    EXPECT_FALSE(window->MaximizeButton());
    EXPECT_TRUE(window->MinimizeButton());
    EXPECT_TRUE(window->CloseButton());
    EXPECT_EQ(window->MenuBar(), std::static_pointer_cast<MenuBar>(MenuBar1()));
    EXPECT_EQ(Window1(), window) << "the accessor returns the open window";
}

TEST_F(Window1Layout, ControlsAreCreatedInTableOrderWithTheirRecords) {
    const auto& controls = window->controls();
    ASSERT_EQ(controls.size(), Table().size());
    for (size_t i = 0; i < Table().size(); ++i) {
        const ExpectedControl& e = Table()[i];
        SCOPED_TRACE(e.name);
        const Control& c = *controls[i];
        EXPECT_EQ(c.Name(), QString::fromLatin1(e.name));
        EXPECT_EQ(c.KindName(), QString::fromLatin1(e.kind));
        if (c.KindName() == QLatin1String("Timer")) {
            EXPECT_EQ(IntOf(c, "Mode"), 0);
            EXPECT_EQ(IntOf(c, "Period"), 2000);
            continue;
        }
        EXPECT_EQ(c.Index(), INT32_MIN);
        EXPECT_EQ(IntOf(c, "Left"), e.left);
        EXPECT_EQ(IntOf(c, "Top"), e.top);
        EXPECT_EQ(IntOf(c, "Width"), e.width);
        EXPECT_EQ(IntOf(c, "Height"), e.height);
        EXPECT_EQ(BoolOf(c, "LockBottom"), e.lockBottom);
        EXPECT_FALSE(BoolOf(c, "LockTop"));
        EXPECT_FALSE(BoolOf(c, "LockLeft"));
        EXPECT_FALSE(BoolOf(c, "LockRight"));
        EXPECT_EQ(BoolOf(c, "Visible"), e.visible);
        EXPECT_EQ(StringOf(c, "HelpTag"), QString::fromLatin1(e.helpTag));
        if (e.text) {
            const char* property = c.HasProperty(QStringLiteral("Caption")) ? "Caption" : "Text";
            EXPECT_EQ(StringOf(c, property), QString::fromLatin1(e.text));
        }
    }
}

TEST_F(Window1Layout, KindValuesFromTheRecords) {
    EXPECT_FALSE(window->PushButton1->Enabled());
    EXPECT_TRUE(window->PushButton1->Default());
    EXPECT_FALSE(window->PushButton2->Default());
    EXPECT_EQ(window->PopupMenu1->ListCount(), 5);
    EXPECT_EQ(window->PopupMenu1->List(0), QStringLiteral("Fit to Screen"));
    EXPECT_EQ(window->PopupMenu1->List(4), QStringLiteral("Tile"));
    EXPECT_EQ(window->PopupMenu1->ListIndex(), 2);
    EXPECT_EQ(window->PopupMenu2->ListCount(), 2);
    EXPECT_EQ(window->PopupMenu2->List(1), QStringLiteral("PNG"));
    EXPECT_EQ(window->PopupMenu2->ListIndex(), 0);
    EXPECT_TRUE(window->DisclosureTriangle1->Value());
    EXPECT_EQ(window->StaticText3->TextAlign(), 2);
    EXPECT_EQ(window->StaticText1->TextSize(), 10);
    EXPECT_EQ(window->BevelButton1->TextSize(), 13);
    EXPECT_TRUE(window->BevelButton1->Bold());
    EXPECT_EQ(window->EditField1->Alignment(), 2);
    EXPECT_TRUE(window->EditField1->Styled());
    EXPECT_FALSE(window->EditField1->Multiline());
    EXPECT_EQ(window->EditField1->Text(), QString());
    // The three swatches are white until the window opens.
    EXPECT_EQ(ColorOf(*window->RoundRectangle1, "FillColor"), RGB(255, 255, 255));
    EXPECT_EQ(ColorOf(*window->RoundRectangle1, "BorderColor"), RGB(0, 0, 0));
    EXPECT_EQ(IntOf(*window->RoundRectangle1, "OvalWidth"), 16);
    EXPECT_EQ(ColorOf(*window->Rectangle1, "FillColor"), RGB(255, 255, 255));
    EXPECT_EQ(ColorOf(*window->Rectangle2, "FillColor"), RGB(255, 255, 255));
    for (const auto& c : {window->CheckBox1, window->CheckBox2, window->CheckBox3, window->CheckBox4})
        EXPECT_FALSE(c->Value()) << c->Name().toStdString();
}

TEST_F(Window1Layout, EachControlBindsExactlyItsEvents) {
    const char* const allEvents[] = {"MouseDown", "MouseUp", "MouseExit", "DropObject", "Action", "Change", "Up", "Down"};
    for (const ExpectedControl& e : Table()) {
        SCOPED_TRACE(e.name);
        ControlPtr c = RuntimeWindowControlByName(*window, QString::fromLatin1(e.name));
        ASSERT_TRUE(c);
        for (const char* event : allEvents) {
            const bool expected = std::find_if(e.events.begin(), e.events.end(), [&](const char* x) {
                                      return QLatin1String(x) == QLatin1String(event);
                                  }) != e.events.end();
            EXPECT_EQ(c->hasHandler(QString::fromLatin1(event)), expected) << event;
        }
    }
}

TEST_F(Window1Layout, FreshWindowStateBeforeOpen) {
    EXPECT_EQ(window->currentImage, nullptr);
    EXPECT_FALSE(window->imageWellClick || window->colorClick || window->backColorClick || window->textColorClick);
    EXPECT_FALSE(window->noUpdateDoc || window->inBackground || window->SaveImageOnly || window->advancedState);
    EXPECT_EQ(window->currentColor, RGB(0, 0, 0));
    EXPECT_EQ(window->currentBackColor, RGB(0, 0, 0));
    EXPECT_EQ(window->currentTextColor, RGB(0, 0, 0));
    EXPECT_EQ(window->menuheight, 0);
    EXPECT_EQ(window->menuBarAdjust, 0);
    EXPECT_TRUE(window->scrOriginal.isEmpty());
    EXPECT_TRUE(window->scrName.isEmpty());
}

TEST_F(Window1Layout, BottomLockedControlsFollowTheHeight) {
    window->SetHeight(487);
    EXPECT_EQ(window->PushButton1->Top(), 382);
    EXPECT_EQ(window->PushButton2->Top(), 382);
    EXPECT_EQ(window->CheckBox3->Top(), 453);
    EXPECT_EQ(window->PopupMenu1->Top(), 224);
    // Unlocked controls keep their places.
    EXPECT_EQ(window->ImageWell1->Top(), 112);
    EXPECT_EQ(window->EditField1->Top(), 65);
    EXPECT_EQ(window->Rectangle2->Top(), 66);
    window->SetHeight(547);
    EXPECT_EQ(window->PushButton1->Top(), 442);
}

TEST_F(Window1Layout, MenuAccessorsFindTheBarsItems) {
    ASSERT_TRUE(window->FileQuit());
    EXPECT_EQ(window->FileQuit()->Text(), QStringLiteral("&Quit"));
    EXPECT_EQ(window->EditSelectAll()->KeyboardShortcut(), QStringLiteral("Cmd+A"));
    EXPECT_EQ(window->UntitledMenu0()->Text(), QStringLiteral("-"));
    EXPECT_EQ(window->FileMenu()->Count(), 2);
    EXPECT_EQ(window->EditMenu()->Count(), 8);
}

// A dark theme and a 12 pt serif desktop font, in place before the window is built.
class Window1DarkLargeFont : public MainWindowTest {
    void SetUp() override {
        QApplication::setPalette(QPalette(QColor(55, 55, 60), QColor(45, 45, 48)));  // light text
        QApplication::setFont(QFont(QStringLiteral("DejaVu Serif"), 12));
        MainWindowTest::SetUp();
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        QApplication::setPalette(palette_);
        QApplication::setFont(font_);
    }
    const QPalette palette_ = QApplication::palette();
    const QFont font_ = QApplication::font();
};

// Columns from the first to the last light pixel (0 when there is none).
int LightSpan(const QImage& image) {
    int first = image.width(), last = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) > 110) first = std::min(first, x), last = std::max(last, x);
    return std::max(0, last - first + 1);
}

TEST_F(Window1DarkLargeFont, EveryCaptionShowsWholeAndLightOnDark) {
    const QImage shot = window->contentWidget()->grab().toImage();
    shot.save(qEnvironmentVariable("ZEN_BINARY_DIR", QStringLiteral(".")) + QStringLiteral("/main-window-dark-12pt.png"));
    EXPECT_LT(qGray(shot.pixel(5, 5)), 60) << "a dark window";
    for (const ControlPtr& c : window->controls()) {
        auto* control = dynamic_cast<TextControl*>(c.get());
        if (!control || c->KindName() == QLatin1String("EditField")) continue;
        SCOPED_TRACE(c->Name().toStdString());
        QWidget* widget = control->widget();
        QRect box(control->Left(), control->Top(), control->Width(), control->Height());
        QString caption;
        if (auto* popup = dynamic_cast<PopupMenu*>(control)) {
            caption = popup->List(popup->ListIndex());
            QStyleOptionComboBox option;
            option.initFrom(widget);  // the row's text is left of the arrow
            box.setWidth(widget->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, widget).left());
        } else {
            caption = StringOf(*c, c->HasProperty(QStringLiteral("Caption")) ? "Caption" : "Text");
        }
        const QFont font = widget->font();
        EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("DejaVu Serif"));
        // The caption drawn with no box around it, against what the window shows.
        QImage whole(QFontMetrics(font).horizontalAdvance(caption) + 20, 40, QImage::Format_RGB32);
        whole.fill(Qt::black);
        QPainter painter(&whole);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(10, 30, caption);
        painter.end();
        EXPECT_GE(LightSpan(shot.copy(box)), LightSpan(whole) - 2) << "cut, or not drawn light";
    }
    EXPECT_EQ(QFontInfo(window->StaticText4->widget()->font()).pixelSize(), 16) << "a caption that fits keeps its size";
}

}  // namespace
