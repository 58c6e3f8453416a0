// The layout property stream: encoding, applying every kind's record, and
// records that are damaged.
#include <QLabel>
#include <QPushButton>
#include <stdexcept>
#include <vector>

#include "framework/ui/BevelButton.h"
#include "framework/ui/Canvas.h"
#include "framework/ui/CheckBox.h"
#include "framework/ui/DisclosureTriangle.h"
#include "framework/ui/EditField.h"
#include "framework/ui/ImageWell.h"
#include "framework/ui/LayoutRecord.h"
#include "framework/ui/PopupMenu.h"
#include "framework/ui/PushButton.h"
#include "framework/ui/Rectangle.h"
#include "framework/ui/RoundRectangle.h"
#include "framework/ui/Separator.h"
#include "framework/ui/StaticText.h"
#include "framework/ui/Timer.h"
#include "framework/ui/UpDownArrows.h"
#include "tests/framework/UiTestSupport.h"

namespace {

struct Entry {
    const char* name;
    PropertyValue value;
};

QByteArray encode(const std::vector<Entry>& entries) {
    LayoutRecord r;
    for (const Entry& e : entries) {
        switch (e.value.index()) {
        case 0: r.Int(e.name, std::get<int32_t>(e.value)); break;
        case 1: r.Bool(e.name, std::get<bool>(e.value)); break;
        case 2: r.Col(e.name, std::get<Color>(e.value)); break;
        default: r.Str(e.name, std::get<QString>(e.value)); break;
        }
    }
    return r.Bytes();
}

QString show(const PropertyValue& v) {
    switch (v.index()) {
    case 0: return QString::number(std::get<int32_t>(v));
    case 1: return std::get<bool>(v) ? QStringLiteral("True") : QStringLiteral("False");
    case 2: return QStringLiteral("RGB(%1,%2,%3)").arg(std::get<Color>(v).red).arg(std::get<Color>(v).green).arg(std::get<Color>(v).blue);
    default: return QLatin1Char('"') + std::get<QString>(v) + QLatin1Char('"');
    }
}

// Applies the entries as one record and reads every property back.
void expectRoundTrip(PropertyObject& object, const std::vector<Entry>& entries) {
    _SetProperties(object, encode(entries));
    for (const Entry& e : entries)
        EXPECT_EQ(show(object.GetProperty(QString::fromLatin1(e.name))), show(e.value)) << e.name;
}

// The entries every control record begins with, in stored order.
std::vector<Entry> head(const char* name) {
    return {{"Name", QString::fromLatin1(name)}, {"Index", INT32_MIN},      {"Left", 21},
            {"Top", 34},                         {"Width", 155},            {"Height", 23},
            {"LockLeft", true},                  {"LockTop", true},         {"LockRight", false},
            {"LockBottom", true},                {"TabPanelIndex", 3}};
}

std::vector<Entry> operator+(std::vector<Entry> a, const std::vector<Entry>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const std::vector<Entry> kPlainTail = {{"InitialParent", QStringLiteral("Panel")},
                                       {"Visible", false},
                                       {"HelpTag", QStringLiteral("Grüße: a tip")},
                                       {"AutoDeactivate", false},
                                       {"Enabled", false}};

const std::vector<Entry> kFont = {{"TextFont", QStringLiteral("Geneva")},
                                  {"TextSize", 13},
                                  {"Bold", true},
                                  {"Italic", true},
                                  {"Underline", true}};

class LayoutRecordTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        window = NewWindow<Window>(QStringLiteral("LayoutTest"));
    }
    template <class T>
    std::shared_ptr<T> add(const char* name) {
        auto c = window->__New<T>();
        window->_AddControl(QString::fromLatin1(name), c);
        return c;
    }
    WindowPtr window;
};

}  // namespace

TEST_F(LayoutRecordTest, EncodesEachTypeAsStored) {
    const QByteArray bytes = LayoutRecord()
                                 .Int("Top", -2)
                                 .Bool("Visible", true)
                                 .Col("FillColor", RGB(1, 2, 255))
                                 .Str("Text", QStringLiteral("ä"))
                                 .Str("HelpTag", QString())
                                 .Bytes();
    const QByteArray expected = QByteArray("Top ") + QByteArray::fromHex("fffffffe") + "Visible " + '\x01' +
                                "FillColor " + QByteArray::fromHex("0102ff") + "Text " +
                                QByteArray::fromHex("00000002c3a4") + "HelpTag " + QByteArray::fromHex("00000000");
    EXPECT_EQ(bytes.toHex(' '), expected.toHex(' '));
}

TEST_F(LayoutRecordTest, SimpleKindsRoundTrip) {
    auto well = add<ImageWell>("ImageWell1");
    expectRoundTrip(*well, head("ImageWell1") + kPlainTail);
    auto separator = add<Separator>("Separator1");
    expectRoundTrip(*separator, head("Separator1") + kPlainTail);
    auto arrows = add<UpDownArrows>("UpDownArrows1");
    expectRoundTrip(*arrows, head("UpDownArrows1") + kPlainTail + std::vector<Entry>{{"AcceptFocus", true}});
    auto triangle = add<DisclosureTriangle>("DisclosureTriangle1");
    expectRoundTrip(*triangle, head("DisclosureTriangle1") + kPlainTail +
                                   std::vector<Entry>{{"Value", true}, {"Facing", 1}, {"AcceptFocus", true}});

    // The values reach the widget too.
    QWidget* w = well->widget();
    EXPECT_EQ(w->geometry(), QRect(21, 34, 155, 23));
    EXPECT_EQ(w->toolTip(), QStringLiteral("Grüße: a tip"));
    EXPECT_FALSE(w->isEnabled());
    EXPECT_TRUE(w->isHidden());
}

TEST_F(LayoutRecordTest, BevelButtonRoundTrips) {
    auto bevel = add<BevelButton>("BevelButton1");
    expectRoundTrip(*bevel, head("BevelButton1") + kPlainTail +
                                std::vector<Entry>{{"Caption", QStringLiteral("?")},
                                                   {"CaptionAlign", 3},
                                                   {"CaptionPlacement", 1},
                                                   {"CaptionDelta", 4},
                                                   {"IconAlign", 5},
                                                   {"IconDX", 6},
                                                   {"IconDY", 7},
                                                   {"Bevel", 5},
                                                   {"HasMenu", 2},
                                                   {"Value", true},
                                                   {"MenuValue", 9},
                                                   {"ButtonType", 1},
                                                   {"AcceptFocus", true}} +
                                kFont);
}

TEST_F(LayoutRecordTest, ShapesRoundTrip) {
    auto round = add<RoundRectangle>("RoundRectangle1");
    expectRoundTrip(*round, head("RoundRectangle1") + std::vector<Entry>{{"Visible", false},
                                                                         {"HelpTag", QStringLiteral("Click")},
                                                                         {"AutoDeactivate", false},
                                                                         {"Enabled", false},
                                                                         {"FillColor", RGB(10, 20, 30)},
                                                                         {"BorderWidth", 2},
                                                                         {"BorderColor", RGB(40, 50, 60)},
                                                                         {"OvalWidth", 12},
                                                                         {"OvalHeight", 14},
                                                                         {"InitialParent", QStringLiteral("P")}});
    auto rect = add<Rectangle>("Rectangle1");
    expectRoundTrip(*rect, head("Rectangle1") + std::vector<Entry>{{"Visible", false},
                                                                   {"HelpTag", QStringLiteral("Select")},
                                                                   {"AutoDeactivate", false},
                                                                   {"Enabled", false},
                                                                   {"FillColor", RGB(1, 2, 3)},
                                                                   {"BorderWidth", 3},
                                                                   {"TopLeftColor", RGB(4, 5, 6)},
                                                                   {"BottomRightColor", RGB(7, 8, 9)},
                                                                   {"InitialParent", QString()}});
}

TEST_F(LayoutRecordTest, PushButtonAndStaticTextRoundTrip) {
    auto button = add<PushButton>("PushButton1");
    expectRoundTrip(*button, head("PushButton1") + std::vector<Entry>{{"Caption", QStringLiteral("Set Desktop")},
                                                                      {"Default", true},
                                                                      {"Cancel", true},
                                                                      {"Enabled", false},
                                                                      {"Visible", false},
                                                                      {"HelpTag", QStringLiteral("Update")},
                                                                      {"AutoDeactivate", false}} +
                                 kFont + std::vector<Entry>{{"InitialParent", QString()}});
    EXPECT_EQ(static_cast<QPushButton*>(button->widget())->text(), QStringLiteral("Set Desktop"));
    EXPECT_EQ(button->widget()->font().pixelSize(), 13);
    EXPECT_TRUE(button->widget()->font().bold());

    auto text = add<StaticText>("StaticText3");
    expectRoundTrip(*text, head("StaticText3") + std::vector<Entry>{{"Text", QStringLiteral("Adjust menubar height:   0")},
                                                                    {"TextAlign", 2},
                                                                    {"TextColor", RGB(200, 0, 0)},
                                                                    {"Multiline", true},
                                                                    {"Enabled", false},
                                                                    {"Visible", false},
                                                                    {"HelpTag", QString()},
                                                                    {"AutoDeactivate", false}} +
                               kFont +
                               std::vector<Entry>{{"DataSource", QStringLiteral("db")},
                                                  {"DataField", QStringLiteral("f")},
                                                  {"InitialParent", QString()}});
    auto* label = static_cast<QLabel*>(text->widget());
    EXPECT_TRUE(label->alignment() & Qt::AlignRight);
    EXPECT_TRUE(label->wordWrap());
}

TEST_F(LayoutRecordTest, CheckBoxAndPopupMenuRoundTrip) {
    auto box = add<CheckBox>("CheckBox1");
    expectRoundTrip(*box, head("CheckBox1") + std::vector<Entry>{{"Caption", QStringLiteral("Round-off corners")},
                                                                 {"Enabled", false},
                                                                 {"Visible", false},
                                                                 {"HelpTag", QStringLiteral("tip")},
                                                                 {"AutoDeactivate", false}} +
                              kFont +
                              std::vector<Entry>{{"Value", true},
                                                 {"DataSource", QString()},
                                                 {"DataField", QString()},
                                                 {"InitialParent", QString()}});

    auto popup = add<PopupMenu>("PopupMenu1");
    const QString rows = QStringLiteral("Fit to Screen\rFill Screen\rStretch to Fill Screen\rCenter\rTile\r");
    expectRoundTrip(*popup, head("PopupMenu1") + std::vector<Entry>{{"Enabled", false},
                                                                    {"InitialValue", rows},
                                                                    {"ListIndex", 2},
                                                                    {"Visible", false},
                                                                    {"HelpTag", QStringLiteral("Choose")},
                                                                    {"AutoDeactivate", false}} +
                                kFont +
                                std::vector<Entry>{{"DataSource", QString()},
                                                   {"DataField", QString()},
                                                   {"InitialParent", QString()}});
    EXPECT_EQ(popup->ListCount(), 5);  // the last row's CR ends it; it does not open a sixth
    EXPECT_EQ(popup->List(2), QStringLiteral("Stretch to Fill Screen"));
    EXPECT_EQ(popup->List(4), QStringLiteral("Tile"));
}

TEST_F(LayoutRecordTest, EditFieldRoundTrips) {
    auto field = add<EditField>("EditField1");
    expectRoundTrip(*field, head("EditField1") + std::vector<Entry>{{"Border", false},
                                                                    {"Multiline", false},
                                                                    {"ScrollbarHorizontal", true},
                                                                    {"ScrollbarVertical", false},
                                                                    {"Styled", true},
                                                                    {"Password", true},
                                                                    {"UseFocusRing", false},
                                                                    {"TextColor", RGB(0, 0, 255)},
                                                                    {"BackColor", RGB(250, 250, 200)},
                                                                    {"Enabled", false},
                                                                    {"Format", QStringLiteral("#0")},
                                                                    {"Visible", false},
                                                                    {"HelpTag", QStringLiteral("h")},
                                                                    {"AutoDeactivate", false}} +
                                kFont +
                                std::vector<Entry>{{"Text", QStringLiteral("Grüße ✓")},
                                                   {"Mask", QStringLiteral("###")},
                                                   {"ReadOnly", true},
                                                   {"LimitText", 40},
                                                   {"AcceptTabs", true},
                                                   {"Alignment", 2},
                                                   {"DataSource", QString()},
                                                   {"DataField", QString()},
                                                   {"InitialParent", QString()}});
}

TEST_F(LayoutRecordTest, TimerAndCanvasRoundTrip) {
    auto timer = add<Timer>("Timer1");
    expectRoundTrip(*timer, {{"Mode", 0}, {"Period", 2000}});

    // The About window's order: the kind's own entries first, then the shared ones backwards.
    auto canvas = add<Canvas>("Canvas1");
    expectRoundTrip(*canvas, {{"AcceptTabs", false},
                              {"AcceptFocus", true},
                              {"UseFocusRing", false},
                              {"Enabled", true},
                              {"LockBottom", false},
                              {"LockRight", false},
                              {"LockTop", false},
                              {"LockLeft", false},
                              {"AutoDeactivate", true},
                              {"DisabledBalloonHelp", QStringLiteral("d")},
                              {"BalloonHelp", QStringLiteral("b")},
                              {"HelpTag", QString()},
                              {"InitialParent", QString()},
                              {"Height", 128},
                              {"Width", 128},
                              {"Top", 13},
                              {"Left", 87},
                              {"Visible", true},
                              {"TabPanelIndex", 0},
                              {"Index", INT32_MIN},
                              {"Name", QStringLiteral("Canvas1")}});
    EXPECT_EQ(canvas->widget()->geometry(), QRect(87, 13, 128, 128));
}

TEST_F(LayoutRecordTest, PropertyNamesIgnoreCase) {
    auto text = add<StaticText>("StaticText2");
    _SetProperties(*text, LayoutRecord().Bool("MultiLine", true).Bytes());
    EXPECT_TRUE(text->Multiline());
}

TEST_F(LayoutRecordTest, WindowRecordRoundTrips) {
    expectRoundTrip(*window, {{"Placement", 0},
                              {"Width", 340},
                              {"Height", 547},
                              {"MinWidth", 64},
                              {"MinHeight", 64},
                              {"MaxWidth", 32000},
                              {"MaxHeight", 32000},
                              {"Frame", 0},
                              {"Composite", false},
                              {"HasBackColor", true},
                              {"BackColor", RGB(250, 240, 230)},
                              {"Title", QStringLiteral("Zentravelle")},
                              {"Visible", true},
                              {"FullScreen", false},
                              {"MenuBarVisible", true},
                              {"CloseButton", true},
                              {"Resizeable", false},
                              {"LiveResize", true},
                              {"MaximizeButton", false},
                              {"MinimizeButton", true},
                              {"BalloonHelp", QStringLiteral("x")},
                              {"MacProcID", 7}});
    EXPECT_EQ(window->widget()->windowTitle(), QStringLiteral("Zentravelle"));
    EXPECT_EQ(window->contentWidget()->size(), QSize(340, 547));
}

TEST_F(LayoutRecordTest, UnknownPropertyThrowsAndChangesNothing) {
    auto button = add<PushButton>("PushButton1");
    const QByteArray record = LayoutRecord().Str("Caption", QStringLiteral("OK")).Int("Flavour", 3).Bytes();
    try {
        _SetProperties(*button, record);
        FAIL() << "an unknown property was accepted";
    } catch (const std::invalid_argument& e) {
        EXPECT_NE(std::string(e.what()).find("Flavour"), std::string::npos) << e.what();
    }
    EXPECT_EQ(button->Caption(), QString());  // the good entry before it was not applied
}

TEST_F(LayoutRecordTest, DamagedRecordsThrow) {
    auto text = add<StaticText>("StaticText1");
    auto expectRejected = [&](const QByteArray& record, const char* why) {
        EXPECT_THROW(_SetProperties(*text, record), std::invalid_argument) << why;
    };
    expectRejected(QByteArray("Top ") + QByteArray::fromHex("000001"), "Int32 cut to three bytes");
    expectRejected(QByteArray("TextColor ") + QByteArray::fromHex("0000"), "Color cut to two bytes");
    expectRejected(QByteArray("Multiline "), "Boolean missing");
    expectRejected(QByteArray("Multiline ") + '\x02', "Boolean neither 0 nor 1");
    expectRejected(QByteArray("Text ") + QByteArray::fromHex("00000005") + "abcd", "text one byte short");
    expectRejected(QByteArray("Text ") + QByteArray::fromHex("ffffffff") + "abcd", "a length beyond any record");
    expectRejected(QByteArray("Text ") + QByteArray::fromHex("000000"), "length cut short");
    expectRejected(QByteArray("Text"), "a name without its blank");
    expectRejected(QByteArray(" ") + QByteArray::fromHex("00000000"), "an empty name");
    expectRejected(QByteArray("Te\x01xt ") + QByteArray::fromHex("00000000"), "a control character in the name");
    EXPECT_EQ(text->Text(), QString());
    EXPECT_NO_THROW(_SetProperties(*text, QByteArray()));  // an empty record is no entry at all
}

TEST_F(LayoutRecordTest, EveryCutOfARecordIsRejectedOrEndsOnAnEntry) {
    auto field = add<EditField>("EditField1");
    const QByteArray full = LayoutRecord()
                                .Str("Name", QStringLiteral("EditField1"))
                                .Int("Left", 20)
                                .Bool("Styled", true)
                                .Col("TextColor", RGB(1, 2, 3))
                                .Str("Text", QStringLiteral("π ≈ 3.14"))
                                .Int("Alignment", 2)
                                .Bytes();
    int accepted = 0;
    for (qsizetype cut = 0; cut <= full.size(); ++cut) {
        try {
            _SetProperties(*field, full.left(cut));
            ++accepted;
        } catch (const std::invalid_argument&) {
        }
    }
    EXPECT_EQ(accepted, 7);  // the empty record and the six whole prefixes
    EXPECT_EQ(field->Text(), QStringLiteral("π ≈ 3.14"));
    EXPECT_EQ(field->Alignment(), 2);
}
