#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

// What an action prints on standard output, kept out of the test's own output.
inline std::string said(const std::function<void()>& action) {
    testing::internal::CaptureStdout();
    action();
    return testing::internal::GetCapturedStdout();
}
