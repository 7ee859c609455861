#pragma once
// The run-time error a call raises; a failure of the test when it raises none.
#include <gtest/gtest.h>

#include "zelt/automation/error.hpp"

namespace zelt::testing_support {

template <class F>
RuntimeError errorOf(F&& f) {
    try {
        f();
    } catch (const RuntimeError& e) {
        return e;
    }
    ADD_FAILURE() << "no error";
    return RuntimeError(0, "");
}

}  // namespace zelt::testing_support
