#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "framework/files/FileTypeRegistry.h"
#include "framework/system/Dialogs.h"
#include "framework/system/OpenDialog.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/TestEnvironment.h"

namespace {

class Dialogs : public ::testing::Test {
protected:
    void SetUp() override {
        platform.SetUnansweredHandler([this](DialogKind kind) { unanswered.push_back(kind); });
    }
    void TearDown() override { EXPECT_EQ(platform.PendingAnswers(), 0) << "answers queued and never taken"; }
    FakePlatform platform;
    std::vector<DialogKind> unanswered;
};

}  // namespace

TEST_F(Dialogs, GoThroughTheInstalledPlatformAndComeBackFromItsEnd) {
    {
        FakePlatform inner;
        inner.AnswerMsgBox();
        MsgBox(QStringLiteral("inner"));
        EXPECT_EQ(inner.TakeShown().size(), 1u);
    }
    EXPECT_EQ(&CurrentPlatform(), &platform) << "the fake before is current again";
    {
        RealPlatformScope real;
        EXPECT_NE(dynamic_cast<QtPlatform*>(&CurrentPlatform()), nullptr);
    }
    EXPECT_EQ(&CurrentPlatform(), &platform);
    EXPECT_TRUE(platform.TakeShown().empty());
}

TEST_F(Dialogs, MsgBoxTakesItsAnswerAndRecordsItsText) {
    platform.AnswerMsgBox();
    MsgBox(QStringLiteral("Couldn't open the selected image."));
    const auto shown = platform.TakeShown();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].kind, DialogKind::MsgBox);
    EXPECT_EQ(shown[0].text, QStringLiteral("Couldn't open the selected image."));
    EXPECT_TRUE(unanswered.empty());
}

TEST_F(Dialogs, SelectColorConfirmedOrCancelled) {
    Color c = RGB(1, 2, 3);
    platform.AnswerSelectColor(RGB(200, 100, 50));
    EXPECT_TRUE(SelectColor(c, QStringLiteral("Choose the menubar color")));
    EXPECT_EQ(c, RGB(200, 100, 50));

    platform.CancelSelectColor();
    EXPECT_FALSE(SelectColor(c, QStringLiteral("again")));
    EXPECT_EQ(c, RGB(200, 100, 50));

    const auto shown = platform.TakeShown();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, QStringLiteral("Choose the menubar color"));
    EXPECT_EQ(shown[0].color, RGB(1, 2, 3));  // the picker starts on the colour given
    EXPECT_EQ(shown[1].color, RGB(200, 100, 50));
}

TEST_F(Dialogs, OpenDialogChosenOrCancelledAndShownAsConfigured) {
    const FolderItemPtr chosen = GetFolderItem(TestEnvironment::Home() + QStringLiteral("/a.jpg"), 0);
    OpenDialog dlg;
    dlg.SetTitle(QStringLiteral("Select Image"));
    dlg.SetPromptText(QStringLiteral("Choose a desktop image"));
    dlg.SetFilter(QStringLiteral("JPEG image;PNG image;"));
    dlg.SetInitialDirectory(GetFolderItem(TestEnvironment::Home(), 0));
    dlg.SetActionButtonCaption(QStringLiteral("Select"));
    dlg.SetCancelButtonCaption(QStringLiteral("Cancel"));
    platform.AnswerOpenDialog(chosen);
    platform.CancelOpenDialog();
    EXPECT_EQ(dlg.ShowModal(), chosen);
    EXPECT_EQ(dlg.ShowModal(), nullptr);
    const auto shown = platform.TakeShown();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].kind, DialogKind::OpenDialog);
    EXPECT_EQ(shown[0].title, QStringLiteral("Select Image"));
    EXPECT_EQ(shown[0].prompt, QStringLiteral("Choose a desktop image"));
    EXPECT_EQ(shown[0].filter, QStringLiteral("JPEG image;PNG image;"));
    EXPECT_EQ(shown[0].initialDirectory, TestEnvironment::Home());
    EXPECT_EQ(shown[0].actionCaption, QStringLiteral("Select"));
    EXPECT_EQ(shown[0].cancelCaption, QStringLiteral("Cancel"));
}

TEST_F(Dialogs, SaveDialogChosenOrCancelled) {
    const FolderItemPtr target = GetFolderItem(TestEnvironment::Home() + QStringLiteral("/sunset-ZenMod.png"), 0);
    platform.AnswerSaveDialog(target);
    EXPECT_EQ(GetSaveFolderItem(QStringLiteral("PNG image;"), QStringLiteral("sunset-ZenMod.png")), target);
    platform.CancelSaveDialog();
    EXPECT_EQ(GetSaveFolderItem(QStringLiteral("PNG image;"), QStringLiteral("x.png")), nullptr);
    const auto shown = platform.TakeShown();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].kind, DialogKind::SaveDialog);
    EXPECT_EQ(shown[0].defaultName, QStringLiteral("sunset-ZenMod.png"));
    EXPECT_EQ(shown[0].filter, QStringLiteral("PNG image;"));
}

TEST_F(Dialogs, AnswersGoToTheirOwnKindAndUnansweredDialogsCancel) {
    platform.AnswerSelectColor(RGB(9, 9, 9));
    // An open dialog does not take the colour picker's answer: it is reported and cancelled.
    EXPECT_EQ(OpenDialog().ShowModal(), nullptr);
    EXPECT_EQ(GetSaveFolderItem(QString(), QString()), nullptr);
    MsgBox(QStringLiteral("nobody answers"));
    Color c;
    EXPECT_TRUE(SelectColor(c, QString()));
    EXPECT_EQ(c, RGB(9, 9, 9));
    EXPECT_FALSE(SelectColor(c, QString()));
    EXPECT_EQ(unanswered, (std::vector<DialogKind>{DialogKind::OpenDialog, DialogKind::SaveDialog,
                                                   DialogKind::MsgBox, DialogKind::SelectColor}));
    EXPECT_EQ(platform.UnansweredCount(), 4);
}

TEST(DialogFilters, NameTheRegisteredTypesOfTheFilter) {
    RegisterFileType(QStringLiteral("Test JPEG"), QStringLiteral("jpg;.jpeg"));
    RegisterFileType(QStringLiteral("Test PNG"), QStringLiteral("png"));
    EXPECT_EQ(dialogNameFilters(QStringLiteral("Test JPEG;Unknown type;test png;")),
              (QStringList{QStringLiteral("Test JPEG, Test PNG (*.jpg *.JPG *.jpeg *.JPEG *.png *.PNG)"),
                           QStringLiteral("Test JPEG (*.jpg *.JPG *.jpeg *.JPEG)"),
                           QStringLiteral("Test PNG (*.png *.PNG)")}));
    EXPECT_EQ(dialogNameFilters(QStringLiteral("Test PNG;")), QStringList{QStringLiteral("Test PNG (*.png *.PNG)")});
    EXPECT_TRUE(dialogNameFilters(QStringLiteral("Unknown;")).isEmpty());
    EXPECT_TRUE(dialogNameFilters(QString()).isEmpty());

    EXPECT_TRUE(FilterAcceptsFileName(QStringLiteral("Test JPEG;Test PNG;"), QStringLiteral("Sea.JPEG")));
    EXPECT_FALSE(FilterAcceptsFileName(QStringLiteral("Test JPEG;"), QStringLiteral("sea.png")));
    EXPECT_FALSE(FilterAcceptsFileName(QStringLiteral("Test JPEG;"), QStringLiteral("jpg")));

    RegisterFileType(QStringLiteral("test png"), QStringLiteral("apng"));  // same name: replaced
    EXPECT_EQ(LookupFileType(QStringLiteral("Test PNG")), QStringList{QStringLiteral("apng")});
    UnregisterFileType(QStringLiteral("Test JPEG"));
    EXPECT_FALSE(LookupFileType(QStringLiteral("Test JPEG")).has_value());
    UnregisterFileType(QStringLiteral("Test PNG"));  // one of its two registrations
    EXPECT_EQ(FileTypeExtensions(QStringLiteral("Test PNG")), QStringList{QStringLiteral("apng")});
    UnregisterFileType(QStringLiteral("Test PNG"));
    EXPECT_TRUE(FileTypeExtensions(QStringLiteral("Test PNG")).isEmpty());
}

// The real Qt dialogs, answered the way a user would by a polling timer. A
// watchdog rejects whatever is still open, so a broken test fails instead of hanging.
namespace {

class RealDialogs : public ::testing::Test {
protected:
    RealPlatformScope realPlatform;

    // Runs act on the first modal dialog that shows; returns whether it ran.
    void answerWith(std::function<void(QWidget*)> act) {
        acted_ = false;
        attempts_ = 0;
        auto* timer = new QTimer(qApp);
        timer->setInterval(20);
        QObject::connect(timer, &QTimer::timeout, timer, [this, timer, act] {
            QWidget* modal = QApplication::activeModalWidget();
            if (modal && modal->isVisible()) {
                timer->stop();
                timer->deleteLater();
                acted_ = true;
                act(modal);
            } else if (++attempts_ > 250) {
                timer->stop();
                timer->deleteLater();
                if (modal) modal->close();
            }
        });
        timer->start();
    }
    static void pressReturn(QWidget* w) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(w, &press);
    }
    bool acted_ = false;
    int attempts_ = 0;
};

}  // namespace

TEST_F(RealDialogs, MessageBoxClosesWhenItsButtonIsClicked) {
    QString text;
    answerWith([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        text = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    MsgBox(QStringLiteral("Hello"));
    EXPECT_TRUE(acted_);
    EXPECT_EQ(text, QStringLiteral("Hello"));
}

TEST_F(RealDialogs, ColorPickerConfirmsTheChosenColourAndCancelKeepsTheOld) {
    answerWith([](QWidget* w) {
        auto* dlg = qobject_cast<QColorDialog*>(w);
        ASSERT_NE(dlg, nullptr);
        EXPECT_EQ(dlg->currentColor(), QColor(10, 20, 30));
        dlg->setCurrentColor(QColor(250, 128, 0));
        dlg->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    Color c = RGB(10, 20, 30);
    EXPECT_TRUE(SelectColor(c, QStringLiteral("Pick")));
    EXPECT_EQ(c, RGB(250, 128, 0));

    answerWith([](QWidget* w) { w->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->click(); });
    EXPECT_FALSE(SelectColor(c, QStringLiteral("Pick")));
    EXPECT_EQ(c, RGB(250, 128, 0));
}

TEST_F(RealDialogs, OpenDialogShowsCaptionsPromptAndFiltersAndReturnsTheTypedFile) {
    RegisterFileType(QStringLiteral("Real JPEG"), QStringLiteral("jpg"));
    const QString file = TestEnvironment::Home() + QStringLiteral("/photo one.jpg");
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QString accept, reject, prompt, title;
    QStringList filters;
    answerWith([&](QWidget* w) {
        auto* dlg = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dlg, nullptr);
        title = dlg->windowTitle();
        accept = dlg->labelText(QFileDialog::Accept);
        reject = dlg->labelText(QFileDialog::Reject);
        filters = dlg->nameFilters();
        if (auto* label = dlg->findChild<QLabel*>(QStringLiteral("promptLabel"))) prompt = label->text();
        auto* name = dlg->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        name->setText(QStringLiteral("photo one.jpg"));
        pressReturn(name);
    });
    OpenDialog dlg;
    dlg.SetTitle(QStringLiteral("Select Image"));
    dlg.SetPromptText(QStringLiteral("Choose a desktop image"));
    dlg.SetFilter(QStringLiteral("Real JPEG;"));
    dlg.SetInitialDirectory(GetFolderItem(TestEnvironment::Home(), 0));
    dlg.SetActionButtonCaption(QStringLiteral("Select"));
    dlg.SetCancelButtonCaption(QStringLiteral("Stop"));
    const FolderItemPtr chosen = dlg.ShowModal();
    UnregisterFileType(QStringLiteral("Real JPEG"));
    ASSERT_NE(chosen, nullptr);
    EXPECT_EQ(chosen->AbsolutePath(), file);
    EXPECT_EQ(title, QStringLiteral("Select Image"));
    EXPECT_EQ(accept, QStringLiteral("Select"));
    EXPECT_EQ(reject, QStringLiteral("Stop"));
    EXPECT_EQ(prompt, QStringLiteral("Choose a desktop image"));
    EXPECT_EQ(filters, QStringList{QStringLiteral("Real JPEG (*.jpg *.JPG)")});

    answerWith([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
    EXPECT_EQ(OpenDialog().ShowModal(), nullptr);
}

TEST_F(RealDialogs, SaveDialogOffersTheDefaultName) {
    QString offered;
    answerWith([&](QWidget* w) {
        auto* name = w->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        offered = name->text();
        pressReturn(name);
    });
    const FolderItemPtr chosen = GetSaveFolderItem(QString(), QStringLiteral("sunset-ZenMod.jpg"));
    EXPECT_EQ(offered, QStringLiteral("sunset-ZenMod.jpg"));
    ASSERT_NE(chosen, nullptr);
    EXPECT_EQ(chosen->Name(), QStringLiteral("sunset-ZenMod.jpg"));
}
