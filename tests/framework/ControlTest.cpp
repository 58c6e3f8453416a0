// Controls: events bound by name, value setters raising their events, the
// mouse-claim rule, drops, timers and the painted and text kinds.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QUrl>
#include <stdexcept>

#include "framework/files/FileType.h"
#include "framework/text/StyledText.h"
#include "framework/ui/BevelButton.h"
#include "framework/ui/Canvas.h"
#include "framework/ui/CheckBox.h"
#include "framework/ui/DisclosureTriangle.h"
#include "framework/ui/DragItem.h"
#include "framework/ui/EditField.h"
#include "framework/ui/ImageWell.h"
#include "framework/ui/LayoutRecord.h"
#include "framework/ui/PopupMenu.h"
#include "framework/ui/PushButton.h"
#include "framework/ui/Rectangle.h"
#include "framework/ui/RoundRectangle.h"
#include "framework/ui/StaticText.h"
#include "framework/ui/Timer.h"
#include "framework/ui/UpDownArrows.h"
#include "tests/framework/UiTestSupport.h"
#include "tests/support/TestEnvironment.h"
#include "tests/support/UiEvents.h"

namespace {

class ControlTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        window = NewWindow<Window>(QStringLiteral("ControlTest"));
        window->SetWidth(400);
        window->SetHeight(300);
    }
    template <class T>
    std::shared_ptr<T> add(const char* name, int32_t left = 10, int32_t top = 10, int32_t width = 100,
                           int32_t height = 40) {
        auto c = window->__New<T>();
        window->_AddControl(QString::fromLatin1(name), c);
        if (auto* rc = dynamic_cast<RectControl*>(c.get())) {
            rc->SetLeft(left);
            rc->SetTop(top);
            rc->SetWidth(width);
            rc->SetHeight(height);
        }
        return c;
    }
    static EventHandler count(int& n) { return std::function<void()>([&n] { ++n; }); }
    WindowPtr window;
};

}  // namespace

TEST_F(ControlTest, BindingChecksTheEventAndItsSignature) {
    auto box = add<CheckBox>("CheckBox1");
    int n = 0;
    EXPECT_THROW(_InstallInstanceEventHandler(box, QStringLiteral("Change"), count(n)), std::invalid_argument);
    EXPECT_THROW(_InstallInstanceEventHandler(box, QStringLiteral("MouseDown"), count(n)), std::invalid_argument);
    EXPECT_THROW(_InstallInstanceEventHandler(nullptr, QStringLiteral("Action"), count(n)), std::invalid_argument);
    EXPECT_NO_THROW(_InstallInstanceEventHandler(box, QStringLiteral("Action"), count(n)));
    // Bound per instance: a second box of the same kind raises nothing.
    auto other = add<CheckBox>("CheckBox2");
    other->SetValue(true);
    EXPECT_EQ(n, 0);
    box->SetValue(true);
    EXPECT_EQ(n, 1);
}

TEST_F(ControlTest, DelegateCallsTheWindowMethod) {
    struct Handlers {
        int ups = 0;
        bool claim = true;
        void Up() { ++ups; }
        bool Down(int32_t x, int32_t) { return claim && x >= 0; }
    } h;
    auto arrows = add<UpDownArrows>("UpDownArrows1");
    _InstallInstanceEventHandler(arrows, QStringLiteral("Up"), Delegate(&h, &Handlers::Up));
    SimulatePressUp(*arrows);
    SimulatePressDown(*arrows);  // no Down handler: nothing
    EXPECT_EQ(h.ups, 1);
    EventHandler down = Delegate(&h, &Handlers::Down);
    EXPECT_EQ(down.index(), 1u);  // the MouseDown signature
}

TEST_F(ControlTest, ValueSettersRaiseTheirEventOnChangeOnly) {
    auto box = add<CheckBox>("CheckBox4");
    auto triangle = add<DisclosureTriangle>("DisclosureTriangle1");
    auto popup = add<PopupMenu>("PopupMenu1");
    // Layout values go in before any handler is bound, and so raise nothing.
    _SetProperties(*popup, LayoutRecord().Str("InitialValue", QStringLiteral("A\rB\rC\r")).Int("ListIndex", 2).Bytes());
    _SetProperties(*triangle, LayoutRecord().Bool("Value", true).Bytes());

    int boxActions = 0, triangleActions = 0, changes = 0;
    bool valueSeen = false;
    _InstallInstanceEventHandler(box, QStringLiteral("Action"), std::function<void()>([&] {
                                     ++boxActions;
                                     valueSeen = box->Value();  // the new value is in place when the event runs
                                 }));
    _InstallInstanceEventHandler(triangle, QStringLiteral("Action"), count(triangleActions));
    _InstallInstanceEventHandler(popup, QStringLiteral("Change"), count(changes));

    box->SetValue(true);
    EXPECT_EQ(boxActions, 1);
    EXPECT_TRUE(valueSeen);
    EXPECT_TRUE(static_cast<QCheckBox*>(box->widget())->isChecked());
    box->SetValue(true);
    EXPECT_EQ(boxActions, 1);

    triangle->SetValue(false);
    triangle->SetValue(false);
    EXPECT_EQ(triangleActions, 1);

    EXPECT_EQ(popup->ListIndex(), 2);
    popup->SetListIndex(0);
    popup->SetListIndex(0);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(static_cast<QComboBox*>(popup->widget())->currentIndex(), 0);
    EXPECT_THROW(popup->SetListIndex(3), std::out_of_range);
    EXPECT_THROW(popup->List(-1), std::out_of_range);
    EXPECT_EQ(changes, 1);
}

TEST_F(ControlTest, UserChangesRaiseTheSameEvents) {
    auto box = add<CheckBox>("CheckBox3");
    auto triangle = add<DisclosureTriangle>("DisclosureTriangle1");
    auto popup = add<PopupMenu>("PopupMenu1");
    popup->SetInitialValue(QStringLiteral("JPEG\rPNG\r"));
    int boxActions = 0, triangleActions = 0, changes = 0;
    _InstallInstanceEventHandler(box, QStringLiteral("Action"), count(boxActions));
    _InstallInstanceEventHandler(triangle, QStringLiteral("Action"), count(triangleActions));
    _InstallInstanceEventHandler(popup, QStringLiteral("Change"), count(changes));
    SimulateClick(*box);
    EXPECT_TRUE(box->Value());
    SimulateClick(*triangle);
    EXPECT_TRUE(triangle->Value());
    SimulateUserSelect(*popup, 1);
    EXPECT_EQ(popup->ListIndex(), 1);
    EXPECT_EQ(boxActions, 1);
    EXPECT_EQ(triangleActions, 1);
    EXPECT_EQ(changes, 1);
    box->SetEnabled(false);
    SimulateClick(*box);  // a disabled box does not respond
    EXPECT_EQ(boxActions, 1);
}

TEST_F(ControlTest, MouseDownClaimsTheClick) {
    auto shape = add<Rectangle>("Rectangle1");
    bool claim = true;
    int downs = 0, ups = 0, exits = 0;
    int32_t upX = -1;
    _InstallInstanceEventHandler(shape, QStringLiteral("MouseDown"),
                                 std::function<bool(int32_t, int32_t)>([&](int32_t, int32_t) {
                                     ++downs;
                                     return claim;
                                 }));
    _InstallInstanceEventHandler(shape, QStringLiteral("MouseUp"),
                                 std::function<void(int32_t, int32_t)>([&](int32_t x, int32_t) {
                                     ++ups;
                                     upX = x;
                                 }));
    _InstallInstanceEventHandler(shape, QStringLiteral("MouseExit"), count(exits));

    SimulateMouseDown(*shape, 5, 6);
    SimulateMouseUp(*shape, 7, 8);
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(ups, 1);
    EXPECT_EQ(upX, 7);

    claim = false;
    SimulateMouseDown(*shape, 5, 6);
    SimulateMouseUp(*shape, 5, 6);
    EXPECT_EQ(downs, 2);
    EXPECT_EQ(ups, 1);  // not claimed: no MouseUp

    SimulateMouseUp(*shape, 5, 6);  // a release with no press before it
    EXPECT_EQ(ups, 1);
    SimulateMouseExit(*shape);
    EXPECT_EQ(exits, 1);
}

TEST_F(ControlTest, DropsOfAcceptedFilesAndPictures) {
    FileType jpeg;
    jpeg.SetName(QStringLiteral("JPEG image"));
    jpeg.SetExtensions(QStringLiteral("jpg;jpeg"));
    jpeg.ToString();
    auto well = add<ImageWell>("ImageWell1");
    std::vector<DragItemPtr> drops;
    _InstallInstanceEventHandler(well, QStringLiteral("DropObject"),
                                 std::function<void(DragItemPtr, int32_t)>([&](DragItemPtr item, int32_t) {
                                     drops.push_back(item);
                                 }));
    const QString folder = TestEnvironment::Home() + QStringLiteral("/drops with blanks");
    QDir().mkpath(folder);
    const QString photo = folder + QStringLiteral("/Ünïcode photo.JPG");
    const QString text = folder + QStringLiteral("/notes.txt");
    QFile(photo).open(QIODevice::WriteOnly);
    QFile(text).open(QIODevice::WriteOnly);

    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(photo), QUrl::fromLocalFile(text)});
    EXPECT_FALSE(SimulateDrop(*well, files)) << "nothing accepted before AcceptFileDrop";

    well->AcceptFileDrop(QStringLiteral("JPEG image;PNG image;"));
    ASSERT_TRUE(SimulateDrop(*well, files));
    ASSERT_EQ(drops.size(), 1u);
    ASSERT_TRUE(drops[0]->FolderItemAvailable());
    EXPECT_EQ(drops[0]->FolderItem()->AbsolutePath(), photo);
    EXPECT_FALSE(drops[0]->PictureAvailable());

    QMimeData rejected;
    rejected.setUrls({QUrl::fromLocalFile(text), QUrl::fromLocalFile(photo)});  // only the first item counts
    EXPECT_FALSE(SimulateDrop(*well, rejected));

    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::red);
    QMimeData picture;
    picture.setImageData(image);
    EXPECT_FALSE(SimulateDrop(*well, picture)) << "pictures need AcceptPictureDrop";
    well->AcceptPictureDrop();
    window->Hide();  // a drag from another application: our window had been hidden
    ASSERT_TRUE(SimulateDrop(*well, picture));
    EXPECT_FALSE(window->isMinimized()) << "a drop brings the window to the front";
    ASSERT_EQ(drops.size(), 2u);
    EXPECT_FALSE(drops[1]->FolderItemAvailable());
    ASSERT_TRUE(drops[1]->PictureAvailable());
    EXPECT_EQ(drops[1]->Picture()->Width(), 4);
    EXPECT_EQ(drops[1]->Picture()->Image().pixelColor(1, 1), QColor(Qt::red));

    // Dropped while a handler runs: taken, and handled once that one returns.
    size_t inside = 0;
    runGuarded([&] {
        EXPECT_TRUE(SimulateDrop(*well, files));
        inside = drops.size();
    });
    EXPECT_EQ(inside, 2u) << "no handler inside the running one";
    EXPECT_TRUE(WaitUntil([&] { return drops.size() == 3u; })) << "the drop is not lost";
}

TEST_F(ControlTest, TimerModes) {
    auto timer = add<Timer>("Timer1");
    int ticks = 0;
    _InstallInstanceEventHandler(timer, QStringLiteral("Action"), count(ticks));
    _SetProperties(*timer, LayoutRecord().Int("Mode", 0).Int("Period", 10).Bytes());
    ProcessEventsFor(60);
    EXPECT_EQ(ticks, 0) << "Mode 0 raises nothing";

    timer->SetMode(2);
    EXPECT_TRUE(WaitUntil([&] { return ticks >= 3; }));
    timer->SetMode(0);
    const int stopped = ticks;
    ProcessEventsFor(60);
    EXPECT_EQ(ticks, stopped);

    timer->SetMode(1);
    EXPECT_TRUE(WaitUntil([&] { return ticks == stopped + 1; }));
    ProcessEventsFor(60);
    EXPECT_EQ(ticks, stopped + 1);
    EXPECT_EQ(timer->Mode(), 0);
}

TEST_F(ControlTest, ButtonsRaiseAction) {
    auto push = add<PushButton>("PushButton1");
    auto bevel = add<BevelButton>("BevelButton1");
    int pushes = 0, bevels = 0;
    _InstallInstanceEventHandler(push, QStringLiteral("Action"), count(pushes));
    _InstallInstanceEventHandler(bevel, QStringLiteral("Action"), count(bevels));
    push->Push();
    SimulateClick(*bevel);
    push->SetEnabled(false);
    push->Push();
    EXPECT_EQ(pushes, 1);
    EXPECT_EQ(bevels, 1);
    EXPECT_FALSE(bevel->Value()) << "a push-type bevel button keeps no value";
    bevel->SetButtonType(1);
    SimulateClick(*bevel);
    EXPECT_TRUE(bevel->Value());
}

TEST_F(ControlTest, ReturnAndEscapePressDefaultAndCancelButtons) {
    auto ok = add<PushButton>("PushButton1");
    auto cancel = add<PushButton>("PushButton2");
    auto other = add<PushButton>("PushButton3");
    auto box = add<CheckBox>("CheckBox1");
    auto line = add<EditField>("EditField1");
    auto lines = add<EditField>("EditField2");
    ok->SetDefault(true);
    cancel->SetCancel(true);
    line->SetMultiline(false);
    int oks = 0, cancels = 0, others = 0;
    _InstallInstanceEventHandler(ok, QStringLiteral("Action"), count(oks));
    _InstallInstanceEventHandler(cancel, QStringLiteral("Action"), count(cancels));
    _InstallInstanceEventHandler(other, QStringLiteral("Action"), count(others));
    struct Case {
        QWidget* focus;
        int key;
        bool autoRepeat;
        int oks, cancels;
    };
    const Case cases[] = {
        {line->editor(), Qt::Key_Return, false, 1, 0},  // a one-line field passes Return on
        {box->widget(), Qt::Key_Return, false, 1, 0},   // focused controls never take Return
        {other->widget(), Qt::Key_Enter, false, 1, 0},
        {window->widget(), Qt::Key_Escape, false, 0, 1},
        {box->widget(), Qt::Key_Return, true, 0, 0},    // a held key presses once
        {lines->editor(), Qt::Key_Return, false, 0, 0}, // a multi-line field keeps Return
    };
    for (const Case& c : cases) {
        oks = cancels = 0;
        QKeyEvent key(QEvent::KeyPress, c.key, Qt::NoModifier, QString(), c.autoRepeat);
        QCoreApplication::sendEvent(c.focus, &key);
        EXPECT_EQ(oks, c.oks) << c.focus->metaObject()->className() << " key " << c.key;
        EXPECT_EQ(cancels, c.cancels) << c.focus->metaObject()->className() << " key " << c.key;
    }
    EXPECT_EQ(others, 0);
    EXPECT_FALSE(box->Value());
    EXPECT_EQ(line->Text(), QString()) << "no line break in a one-line field";
    EXPECT_EQ(lines->Text(), QStringLiteral("\n"));
}

TEST_F(ControlTest, EscapeClosesADialogWithoutCancelButtonOnly) {
    for (const int32_t frame : {0, 1}) {  // a document window, a modal dialog
        window->SetFrame(frame);
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(window->contentWidget(), &escape);
        EXPECT_EQ(window->isClosed(), frame == 1) << "frame " << frame;
    }
}

TEST_F(ControlTest, RichPasteIntoOneLineKeepsStylesAndJoinsLines) {
    auto field = add<EditField>("EditField1");
    field->SetMultiline(false);
    auto* mime = new QMimeData;  // the clipboard takes it
    mime->setHtml(QStringLiteral("<p><b>Bold</b> <i style=\"color:#ff0000\">red</i></p>"
                                 "<p><u style=\"font-family:'DejaVu Serif'; font-size:30px\">big</u><br>end</p>"));
    mime->setText(QStringLiteral("Bold red\nbig\nend"));
    QApplication::clipboard()->setMimeData(mime);
    field->editor()->paste();
    EXPECT_EQ(field->Text(), QStringLiteral("Bold red big end"));
    auto formatAt = [&](int position) {
        QTextCursor probe(field->document());
        probe.setPosition(position);
        return probe.charFormat();
    };
    EXPECT_EQ(formatAt(2).fontWeight(), QFont::Bold);
    EXPECT_TRUE(formatAt(7).fontItalic());
    EXPECT_EQ(formatAt(7).foreground().color(), QColor(255, 0, 0));
    EXPECT_TRUE(formatAt(11).fontUnderline());
    EXPECT_EQ(formatAt(11).font().pixelSize(), 30);
    EXPECT_TRUE(formatAt(11).fontFamilies().toStringList().contains(QStringLiteral("DejaVu Serif")));
}

TEST_F(ControlTest, ShapesPaintTheirColours) {
    auto round = add<RoundRectangle>("RoundRectangle1", 0, 0, 60, 20);
    round->SetFillColor(RGB(0, 128, 255));
    round->SetBorderColor(RGB(255, 0, 0));
    auto rect = add<Rectangle>("Rectangle1", 0, 30, 36, 20);
    rect->SetFillColor(RGB(10, 200, 10));
    rect->SetTopLeftColor(RGB(255, 255, 0));
    rect->SetBottomRightColor(RGB(0, 0, 0));
    const QImage r = round->widget()->grab().toImage();
    EXPECT_EQ(r.pixelColor(30, 10), QColor(0, 128, 255));
    EXPECT_EQ(r.pixelColor(30, 0), QColor(255, 0, 0));
    EXPECT_NE(r.pixelColor(0, 0), QColor(255, 0, 0)) << "the corner is rounded off";
    const QImage s = rect->widget()->grab().toImage();
    EXPECT_EQ(s.pixelColor(18, 10), QColor(10, 200, 10));
    EXPECT_EQ(s.pixelColor(0, 10), QColor(255, 255, 0));
    EXPECT_EQ(s.pixelColor(35, 10), QColor(0, 0, 0));
}

TEST_F(ControlTest, ImageWellAndCanvasShowTheirPictures) {
    auto well = add<ImageWell>("ImageWell1", 0, 0, 100, 50);
    auto canvas = add<Canvas>("Canvas1", 0, 60, 40, 40);
    QImage blue(400, 100, QImage::Format_ARGB32);
    blue.fill(QColor(0, 0, 255));
    well->SetImage(std::make_shared<Picture>(blue));
    canvas->SetBackdrop(std::make_shared<Picture>(blue.copy(0, 0, 10, 10)));
    const QImage w = well->widget()->grab().toImage();
    EXPECT_EQ(w.pixelColor(50, 25), QColor(0, 0, 255));
    EXPECT_NE(w.pixelColor(50, 5), QColor(0, 0, 255)) << "scaled down to fit, with its proportions";
    const QImage c = canvas->widget()->grab().toImage();
    EXPECT_EQ(c.pixelColor(5, 5), QColor(0, 0, 255));
}

TEST_F(ControlTest, FontsFallBackAndKeepTheirNames) {
    auto text = add<StaticText>("StaticText1");
    text->SetTextFont(QStringLiteral("Geneva"));
    text->SetTextSize(10);
    text->SetBold(true);
    EXPECT_EQ(text->TextFont(), QStringLiteral("Geneva"));
    const QFontInfo info(text->widget()->font());
    EXPECT_FALSE(info.family().isEmpty());
    EXPECT_EQ(text->widget()->font().pixelSize(), 10);
    EXPECT_TRUE(text->widget()->font().bold());
    const QFont system = TextControl::FontFor(QStringLiteral("System"), 0, false, false, false);
    EXPECT_EQ(system.pointSize(), QFontDatabase::systemFont(QFontDatabase::GeneralFont).pointSize());
}

TEST_F(ControlTest, EditFieldStylesAndColours) {
    auto field = add<EditField>("EditField1");
    field->SetText(QStringLiteral("Hello world"));
    QTextEdit* editor = field->editor();

    // Ctrl+B on a selection makes it bold, and only it.
    QTextCursor cursor = editor->textCursor();
    cursor.setPosition(0);
    cursor.setPosition(5, QTextCursor::KeepAnchor);
    editor->setTextCursor(cursor);
    QKeyEvent bold(QEvent::KeyPress, Qt::Key_B, Qt::ControlModifier, QStringLiteral("\x02"));
    QCoreApplication::sendEvent(editor, &bold);
    QTextCursor probe(editor->document());
    probe.setPosition(2);
    EXPECT_EQ(probe.charFormat().fontWeight(), QFont::Bold);
    probe.setPosition(8);
    EXPECT_NE(probe.charFormat().fontWeight(), QFont::Bold);
    EXPECT_EQ(field->Text(), QStringLiteral("Hello world")) << "Ctrl+B typed nothing";

    // TextColor with a selection colours the selection; without one, the whole text.
    field->SetTextColor(RGB(255, 0, 0));
    probe.setPosition(2);
    EXPECT_EQ(probe.charFormat().foreground().color(), QColor(255, 0, 0));
    probe.setPosition(8);
    EXPECT_NE(probe.charFormat().foreground().color(), QColor(255, 0, 0));
    cursor.clearSelection();
    editor->setTextCursor(cursor);
    field->SetTextColor(RGB(0, 0, 255));
    probe.setPosition(8);
    EXPECT_EQ(probe.charFormat().foreground().color(), QColor(0, 0, 255));
    EXPECT_EQ(field->TextColor(), RGB(0, 0, 255));
    EXPECT_EQ(editor->currentCharFormat().foreground().color(), QColor(0, 0, 255)) << "new typing takes it too";

    // The styled text is a view on the same document.
    auto styled = field->StyledText();
    EXPECT_EQ(styled->Text(), QStringLiteral("Hello world"));
    const QString rtf = styled->RTFData();
    field->SetText(QString());
    styled->SetRTFData(rtf);
    EXPECT_EQ(field->Text(), QStringLiteral("Hello world"));
}

TEST_F(ControlTest, EditFieldLimitsAndAlignment) {
    auto field = add<EditField>("EditField1");
    field->SetLimitText(3);
    for (const char* letter : {"a", "b", "c", "d"}) {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QString::fromLatin1(letter));
        QCoreApplication::sendEvent(field->editor(), &key);
    }
    EXPECT_EQ(field->Text(), QStringLiteral("abc"));
    field->SetAlignment(2);
    EXPECT_EQ(field->document()->begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
}
