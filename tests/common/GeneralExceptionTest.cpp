#include "chess/ChessExceptions.h"

#include <type_traits>

#include <gtest/gtest.h>

// Every family is a CGeneralException through a virtual base, so one handler catches all of
// them, and a class deriving from two families still holds a single message.
TEST(GeneralException, FamiliesShareOneVirtualBase) {
    static_assert(std::is_base_of_v<CGeneralException, CFieldException>);
    static_assert(std::is_base_of_v<CGeneralException, CChessGameDataException>);

    struct CBoth : CFieldException, CChessSetMoveException {
        CBoth()
            : CGeneralException("Both::Op(): text"), CFieldException(""),
              CChessSetMoveException("") {}
    };
    try {
        throw CBoth();
    } catch (const CGeneralException& e) {
        EXPECT_EQ(e.GetMessage(), "Both::Op(): text");
    }
}
