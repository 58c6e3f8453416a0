#pragma once
// Shared by the user-interface tests: a runtime reset around each test and a
// bounded wait on the event loop.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <QThread>
#include <string>

#include "framework/runtime/Runtime.h"
#include "framework/ui/Window.h"
#include "tests/support/FakePlatform.h"

// Lists compared as one readable string.
inline std::string Joined(const QStringList& list) { return list.join(QStringLiteral(", ")).toStdString(); }

// Processes events until the condition holds or the time is up; the condition's last value.
template <class Condition>
bool WaitUntil(Condition condition, int milliseconds = 3000) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > milliseconds) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
    return true;
}

inline void ProcessEventsFor(int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
}

// Every test starts with no application object, no windows and a fresh quit state.
class UiTest : public ::testing::Test {
protected:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "test_framework";
        static char* argv[] = {name, nullptr};
        RuntimeExit();
        RuntimeInit(argc, argv, CurrentAppIdentity());
    }
    void TearDown() override {
        for (const WindowPtr& w : openWindows()) w->Close();
        RuntimeExit();
        ProcessEventsFor(1);  // lets closed windows go
    }
    FakePlatform platform;
};
