#include "gfx3d/ContactShadow.h"

#include <gtest/gtest.h>

TEST(ContactShadowTest, TheDiscIsDarkInTheMiddleAndClearAtTheEdges) {
    const int size = 32;
    const std::vector<std::uint8_t> image = ContactShadowImage(size);
    ASSERT_EQ(image.size(), 32u * 32u);
    auto at = [&](int row, int column) {
        return image[static_cast<std::size_t>(row * size + column)];
    };
    EXPECT_EQ(at(16, 16), 255);
    EXPECT_EQ(at(0, 16), 0);
    EXPECT_EQ(at(0, 0), 0);
    for (int i = 0; i + 1 < size / 2; ++i) {
        EXPECT_LE(at(16, i), at(16, i + 1)) << i;   // darker towards the middle
        EXPECT_EQ(at(16, i), at(16, size - 1 - i)); // and symmetric
        EXPECT_EQ(at(i, 16), at(16, i));
    }
}
