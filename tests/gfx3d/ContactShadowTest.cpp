#include "gfx3d/ContactShadow.h"

#include <gtest/gtest.h>

TEST(ContactShadowTest, TheShadowLiesUnderThePieceAndFadesAsItRisesOrFades) {
    struct SCase {
        SVec3 position;
        float alpha;
        float surface;
        float opacity;
    };
    const SCase cases[] = {
        {{5.0f, 0.0f, -5.0f}, 1.0f, 7.0f, kContactShadowOpacity},             // a1, on the board
        {{105.0f, 10.0f, -55.0f}, 1.0f, 7.0f, kContactShadowOpacity * 0.75f}, // 10 up
        {{105.0f, 0.0f, -55.0f}, 0.5f, 7.0f, kContactShadowOpacity * 0.5f},   // half faded
        {{216.5f, -7.0f, -31.25f}, 1.0f, 0.0f, kContactShadowOpacity}, // captured, on the floor
        {{216.5f, 93.0f, -31.25f}, 1.0f, 0.0f, 0.0f},                  // dropping from above
        {{180.0f, 0.0f, 30.0f}, 1.0f, 0.0f, kContactShadowOpacity * 0.825f}, // rook swung out
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.position.x << "," << c.position.y << "," << c.position.z);
        const SContactShadow s = ContactShadowOf(c.position, c.alpha);
        EXPECT_FLOAT_EQ(s.x, c.position.x + 7.5f);
        EXPECT_FLOAT_EQ(s.z, c.position.z - 7.5f);
        EXPECT_EQ(s.y, c.surface);
        EXPECT_NEAR(s.opacity, c.opacity, 1e-6f);
        EXPECT_GE(s.halfSize, kContactShadowHalfSize);
    }
}

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
