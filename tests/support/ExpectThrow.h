#pragma once

#include "common/GeneralException.h"

#include <string>

#include <gtest/gtest.h>

// Expects `statement` to throw exactly the exception class E (caught as E) with the given
// message text.
#define EXPECT_THROW_MSG(statement, E, text)                                                       \
    do {                                                                                           \
        bool thrown_ = false;                                                                      \
        try {                                                                                      \
            statement;                                                                             \
        } catch (const E& e_) {                                                                    \
            thrown_ = true;                                                                        \
            EXPECT_EQ(e_.GetMessage(), std::string(text));                                         \
        } catch (const CGeneralException& other_) {                                                \
            ADD_FAILURE() << "threw another exception class: " << other_.GetMessage();             \
            thrown_ = true;                                                                        \
        }                                                                                          \
        EXPECT_TRUE(thrown_) << #statement " did not throw";                                       \
    } while (false)
