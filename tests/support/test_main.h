#pragma once

#include "support/headless_environment.h"

#include <QApplication>

namespace velsnap::test {

// Window tests run headless: offscreen unless told otherwise.
class WindowTestEnvironment : public HeadlessEnvironment {
public:
    WindowTestEnvironment()
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
    }
};

} // namespace velsnap::test

#define VELSNAP_TEST_MAIN(TestClass) VELSNAP_QTEST_MAIN(velsnap::test::WindowTestEnvironment, QApplication, TestClass)
