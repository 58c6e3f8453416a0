// Windows: building, the implicit window of a class, bottom locking, the size
// rules, hiding and showing, modal showing and closing.
#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QTimer>
#include <stdexcept>

#include "framework/ui/CheckBox.h"
#include "framework/ui/EditField.h"
#include "framework/ui/LayoutRecord.h"
#include "framework/ui/PushButton.h"
#include "framework/ui/StaticText.h"
#include "tests/framework/UiTestSupport.h"

namespace {

// Records the order of its events.
class TraceWindow : public Window {
public:
    QStringList trace;
    bool failInCreate = false;
    void Layout() override {
        trace << QStringLiteral("Layout");
        _SetProperties(*this, LayoutRecord().Int("Width", 340).Int("Height", 547).Str("Title", QStringLiteral("T")).Bytes());
    }
    void CreateControls() override {
        trace << QStringLiteral("CreateControls");
        if (failInCreate) throw std::runtime_error("broken control");
        auto button = __New<PushButton>();
        _AddControl(QStringLiteral("PushButton1"), button);
        _SetProperties(*button, LayoutRecord()
                                    .Int("Left", 187).Int("Top", 442).Int("Width", 130).Int("Height", 20)
                                    .Bool("LockTop", false).Bool("LockBottom", true).Bytes());
        auto label = __New<StaticText>();
        _AddControl(QStringLiteral("StaticText1"), label);
        _SetProperties(*label, LayoutRecord().Int("Left", 20).Int("Top", 3).Int("Width", 247).Int("Height", 20).Bytes());
    }
    void AddMenuHandlers() override { trace << QStringLiteral("AddMenuHandlers"); }
    void Event_Open() override { trace << QStringLiteral("Open"); }
    void Event_Close() override { trace << QStringLiteral("Close"); }
};

class WindowTest : public UiTest {};

}  // namespace

TEST_F(WindowTest, BuildingRunsTheEventsInOrderAndKeepsTheWindow) {
    std::weak_ptr<TraceWindow> weak;
    {
        auto w = NewWindow<TraceWindow>(QStringLiteral("Trace.Trace"));
        weak = w;
        EXPECT_EQ(Joined(w->trace), "Layout, CreateControls, AddMenuHandlers");
        EXPECT_FALSE(w->widget()->isVisible()) << "shown once its Open has run";
        EXPECT_EQ(_GetImplicitWindow(QStringLiteral("Trace.Trace")), w);
        EXPECT_EQ(_GetImplicitWindow(QStringLiteral("Other.Other")), nullptr);
    }
    ASSERT_FALSE(weak.expired()) << "the framework keeps an open window";
    auto w = weak.lock();
    ASSERT_TRUE(RuntimeWindowControlByName(*w, QStringLiteral("pushbutton1")));
    EXPECT_EQ(RuntimeWindowControlByName(*w, QStringLiteral("PushButton9")), nullptr);
    w->Close();
    w->Close();
    EXPECT_EQ(w->trace.count(QStringLiteral("Close")), 1);
    EXPECT_EQ(_GetImplicitWindow(QStringLiteral("Trace.Trace")), nullptr);
    EXPECT_FALSE(w->widget()->isVisible());
}

TEST_F(WindowTest, AFailedBuildLeavesNoWindowBehind) {
    struct Failing : TraceWindow {
        Failing() { failInCreate = true; }
    };
    EXPECT_THROW(NewWindow<Failing>(QStringLiteral("Failing")), std::runtime_error);
    EXPECT_EQ(_GetImplicitWindow(QStringLiteral("Failing")), nullptr);
    EXPECT_TRUE(openWindows().empty());
}

TEST_F(WindowTest, HeightChangesMoveBottomLockedControlsOnly) {
    auto w = NewWindow<TraceWindow>(QStringLiteral("Trace.Trace"));
    auto button = std::static_pointer_cast<RectControl>(RuntimeWindowControlByName(*w, QStringLiteral("PushButton1")));
    auto label = std::static_pointer_cast<RectControl>(RuntimeWindowControlByName(*w, QStringLiteral("StaticText1")));
    w->SetHeight(487);
    EXPECT_EQ(button->Top(), 382);
    EXPECT_EQ(label->Top(), 3);
    EXPECT_EQ(button->widget()->y(), 382);
    ProcessEventsFor(20);  // the widget's own resize must not move them again
    EXPECT_EQ(button->Top(), 382);
    w->SetHeight(547);
    EXPECT_EQ(button->Top(), 442);
    EXPECT_EQ(w->contentWidget()->height(), 547);

    // Locked to top and bottom: the control stretches instead.
    label->SetLockTop(true);
    label->SetLockBottom(true);
    w->SetHeight(557);
    EXPECT_EQ(label->Top(), 3);
    EXPECT_EQ(label->Height(), 30);
}

TEST_F(WindowTest, AFixedSizeWindowStillResizesUnderCode) {
    auto w = NewWindow<TraceWindow>(QStringLiteral("Trace.Trace"));
    w->SetResizeable(false);
    QWidget* top = w->widget();
    EXPECT_EQ(top->minimumSize(), top->maximumSize()) << "the user cannot resize it";
    w->SetHeight(487);
    EXPECT_EQ(top->minimumSize(), top->maximumSize());
    EXPECT_EQ(w->contentWidget()->height(), 487);
    w->SetResizeable(true);
    EXPECT_NE(top->minimumSize(), top->maximumSize());
}

TEST_F(WindowTest, MenuBarSitsAboveTheContent) {
    auto w = NewWindow<TraceWindow>(QStringLiteral("Trace.Trace"));
    auto bar = std::make_shared<MenuBar>();
    auto file = std::make_shared<MenuItem>(QStringLiteral("&File"));
    file->SetName(QStringLiteral("FileMenu"));
    bar->Append(file);
    w->SetMenuBar(bar);
    ASSERT_NE(w->qtMenuBar(), nullptr);
    EXPECT_EQ(w->MenuBar(), bar);
    const int barHeight = w->qtMenuBar()->sizeHint().height();
    EXPECT_GT(barHeight, 0);
    EXPECT_EQ(w->contentWidget()->y(), barHeight);
    EXPECT_EQ(w->Height(), 547) << "the height is the content's";
    EXPECT_EQ(w->widget()->height(), 547 + barHeight);
    // Top and Left are the content area's too, and read back what was set.
    w->SetTop(120);
    w->SetLeft(33);
    EXPECT_EQ(w->Top(), 120);
    EXPECT_EQ(w->Left(), 33);
    EXPECT_EQ(w->contentWidget()->mapToGlobal(QPoint(0, 0)), QPoint(33, 120));
}

TEST_F(WindowTest, HideMinimizesAndShowRestores) {
    auto w = NewWindow<TraceWindow>(QStringLiteral("Trace.Trace"));
    w->Hide();
    EXPECT_TRUE(w->isMinimized());
    EXPECT_TRUE(w->widget()->isVisible()) << "still on the task bar";
    w->Show();
    EXPECT_FALSE(w->isMinimized());
    EXPECT_TRUE(w->widget()->isVisible());
    w->SetVisible(false);
    EXPECT_FALSE(w->widget()->isVisible());
    w->Show();
    EXPECT_TRUE(w->widget()->isVisible());
}

TEST_F(WindowTest, ShowModalReturnsWhenTheWindowCloses) {
    auto w = NewWindow<TraceWindow>(QStringLiteral("Modal.Modal"));
    bool wasModal = false;
    QTimer::singleShot(20, [&] {
        wasModal = QApplication::activeModalWidget() == w->widget() || w->widget()->isModal();
        w->widget()->close();  // its close button
    });
    runGuarded([&] { w->ShowModal(); });  // from a handler, as a menu item opens it
    EXPECT_TRUE(wasModal);
    EXPECT_TRUE(w->isClosed());
    EXPECT_EQ(w->trace.count(QStringLiteral("Close")), 1);
}

TEST_F(WindowTest, TheCloseButtonRaisesCloseOnce) {
    auto w = NewWindow<TraceWindow>(QStringLiteral("Trace.Trace"));
    EXPECT_TRUE(w->widget()->close());
    EXPECT_EQ(w->trace.count(QStringLiteral("Close")), 1);
    EXPECT_TRUE(w->isClosed());
    EXPECT_TRUE(openWindows().empty());
}

TEST_F(WindowTest, ModalityFollowsTheFrame) {
    auto w = NewWindow<TraceWindow>(QStringLiteral("Trace.Trace"));
    w->Show();
    EXPECT_FALSE(w->widget()->isModal());
    w->SetFrame(1);
    EXPECT_TRUE(w->widget()->isModal());
    EXPECT_TRUE(w->widget()->isVisible());
    w->SetCloseButton(false);
    EXPECT_FALSE(w->widget()->windowFlags() & Qt::WindowCloseButtonHint);
}

TEST_F(WindowTest, ActivationReachesTheWindowsEvents) {
    struct Activation : Window {
        QStringList seen;
        void Event_Activate() override { seen << QStringLiteral("Activate"); }
        void Event_Deactivate() override { seen << QStringLiteral("Deactivate"); }
    };
    auto w = NewWindow<Activation>(QStringLiteral("Activation"));
    w->seen.clear();
    QEvent activate(QEvent::WindowActivate), deactivate(QEvent::WindowDeactivate);
    QCoreApplication::sendEvent(w->widget(), &deactivate);
    QCoreApplication::sendEvent(w->widget(), &activate);
    EXPECT_EQ(Joined(w->seen), "Deactivate, Activate");
}

TEST_F(WindowTest, AnErrorInsideAModalWindowComesOutOfShowModal) {
    auto w = NewWindow<Window>(QStringLiteral("Modal.Modal"));
    auto button = w->__New<PushButton>();
    w->_AddControl(QStringLiteral("PushButton1"), button);
    _InstallInstanceEventHandler(button, QStringLiteral("Action"),
                                 std::function<void()>([] { throw std::runtime_error("inside the dialog"); }));
    QTimer::singleShot(10, [button] { button->Push(); });
    QTimer failSafe;
    failSafe.setSingleShot(true);
    QObject::connect(&failSafe, &QTimer::timeout, [w] { w->Close(); });
    failSafe.start(3000);
    EXPECT_THROW(w->ShowModal(), std::runtime_error);
    EXPECT_TRUE(failSafe.isActive()) << "the error ended the modal loop, not the fail-safe";
}

namespace {

class FormWindow : public Window {
public:
    std::shared_ptr<EditField> hidden, field;
    void CreateControls() override {
        auto box = __New<CheckBox>();
        _AddControl(QStringLiteral("CheckBox1"), box);
        hidden = __New<EditField>();
        _AddControl(QStringLiteral("EditField1"), hidden);
        hidden->SetVisible(false);
        field = __New<EditField>();
        _AddControl(QStringLiteral("EditField2"), field);
    }
};

}  // namespace

TEST_F(WindowTest, OpensWithTheFocusOnItsFirstTextField) {
    auto w = NewWindow<FormWindow>(QStringLiteral("Form.Form"));
    EXPECT_EQ(w->widget()->focusWidget(), w->field->widget());
}
