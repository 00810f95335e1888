#include "core/settings/shortcutvalue.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

std::string describe(QKeyCombination combination) {
    return "key " + std::to_string(combination.key()) + " modifiers " +
           std::to_string(combination.keyboardModifiers().toInt());
}

struct ShortcutCase {
    int value;
    QKeyCombination combination;
};

void PrintTo(const ShortcutCase& c, std::ostream* os) {
    *os << c.value << " <-> " << describe(c.combination);
}

class ShortcutValueTable : public ::testing::TestWithParam<ShortcutCase> {};

TEST_P(ShortcutValueTable, StoredValueGivesTheKeyCombination) {
    const QKeyCombination got = ShortcutValue::toKeyCombination(GetParam().value);
    EXPECT_EQ(got, GetParam().combination) << describe(got);
}

TEST_P(ShortcutValueTable, KeyCombinationGivesTheStoredValue) {
    EXPECT_EQ(ShortcutValue::fromKeyCombination(GetParam().combination), GetParam().value);
}

TEST_P(ShortcutValueTable, RoundTripsBothWays) {
    const ShortcutCase& c = GetParam();
    EXPECT_EQ(ShortcutValue::fromKeyCombination(ShortcutValue::toKeyCombination(c.value)), c.value);
    EXPECT_EQ(ShortcutValue::toKeyCombination(ShortcutValue::fromKeyCombination(c.combination)), c.combination);
}

INSTANTIATE_TEST_SUITE_P(
    ShortcutValue, ShortcutValueTable,
    ::testing::Values(ShortcutCase{16462, Qt::CTRL | Qt::Key_N},
                      ShortcutCase{16463, Qt::CTRL | Qt::Key_O},
                      ShortcutCase{16467, Qt::CTRL | Qt::Key_S},
                      ShortcutCase{32883, Qt::ALT | Qt::Key_F4},
                      ShortcutCase{24656, Qt::CTRL | Qt::SHIFT | Qt::Key_P},
                      ShortcutCase{114, QKeyCombination(Qt::Key_F3)},
                      ShortcutCase{117, QKeyCombination(Qt::Key_F6)},
                      ShortcutCase{121, QKeyCombination(Qt::Key_F10)},
                      ShortcutCase{8304, Qt::SHIFT | Qt::Key_F1},
                      ShortcutCase{32781, Qt::ALT | Qt::Key_Return},
                      ShortcutCase{0x30 | ShortcutValue::kCtrl, Qt::CTRL | Qt::Key_0},
                      ShortcutCase{0x2E, QKeyCombination(Qt::Key_Delete)},
                      ShortcutCase{0x2D, QKeyCombination(Qt::Key_Insert)},
                      ShortcutCase{0xBD | ShortcutValue::kCtrl, Qt::CTRL | Qt::Key_Minus},
                      ShortcutCase{0x87, QKeyCombination(Qt::Key_F24)},
                      ShortcutCase{0x20 | ShortcutValue::kCtrl | ShortcutValue::kShift | ShortcutValue::kAlt,
                                   Qt::CTRL | Qt::SHIFT | Qt::ALT | Qt::Key_Space}));

TEST(ShortcutValue, ZeroIsNoShortcut) {
    const QKeyCombination none = ShortcutValue::toKeyCombination(0);
    EXPECT_EQ(none.key(), Qt::Key_unknown);
    EXPECT_EQ(none.keyboardModifiers(), Qt::NoModifier);
}

TEST(ShortcutValue, ModifiersWithoutAKeyAreNoShortcut) {
    for (int value : {ShortcutValue::kCtrl, ShortcutValue::kShift | ShortcutValue::kAlt, 0xE000}) {
        const QKeyCombination got = ShortcutValue::toKeyCombination(value);
        EXPECT_EQ(got, QKeyCombination(Qt::Key_unknown)) << value << ": " << describe(got);
    }
}

TEST(ShortcutValue, KeyCodeWithoutQtKeyIsNoShortcut) {
    // 0xFF is no key; 0x5B is the Windows logo key.
    for (int value : {0xFF, 0x5B | ShortcutValue::kCtrl, 0x01}) {
        const QKeyCombination got = ShortcutValue::toKeyCombination(value);
        EXPECT_EQ(got, QKeyCombination(Qt::Key_unknown)) << value << ": " << describe(got);
    }
}

TEST(ShortcutValue, EnterOnTheKeypadIsStoredLikeReturn) {
    EXPECT_EQ(ShortcutValue::fromKeyCombination(QKeyCombination(Qt::Key_Enter)),
              ShortcutValue::fromKeyCombination(QKeyCombination(Qt::Key_Return)));
    EXPECT_EQ(ShortcutValue::fromKeyCombination(Qt::ALT | Qt::Key_Enter), 32781);
}

TEST(ShortcutValue, KeysWithoutVirtualKeyCodeGiveZero) {
    for (Qt::Key key : {Qt::Key_VolumeUp, Qt::Key_MediaPlay, Qt::Key_unknown, Qt::Key_F25, Qt::Key_Adiaeresis}) {
        EXPECT_EQ(ShortcutValue::fromKeyCombination(QKeyCombination(key)), 0) << key;
        EXPECT_EQ(ShortcutValue::fromKeyCombination(Qt::CTRL | key), 0) << key;
    }
}

TEST(ShortcutValue, KeypadDigitsReadAsDigits) {
    EXPECT_EQ(ShortcutValue::toKeyCombination(0x60), QKeyCombination(Qt::Key_0));
    EXPECT_EQ(ShortcutValue::toKeyCombination(0x69 | ShortcutValue::kCtrl), Qt::CTRL | Qt::Key_9);
}

TEST(ShortcutValue, EveryKeyCodeWithAQtKeyRoundTrips) {
    for (int code = 1; code <= 0xFF; ++code) {
        const bool keypadDigit = code >= 0x60 && code <= 0x69;
        for (int modifiers : {0, ShortcutValue::kShift, ShortcutValue::kCtrl | ShortcutValue::kAlt}) {
            const int value = code | modifiers;
            const QKeyCombination combination = ShortcutValue::toKeyCombination(value);
            if (combination.key() == Qt::Key_unknown) {
                continue;
            }
            const int expected = keypadDigit ? (code - 0x60 + 0x30) | modifiers : value;
            EXPECT_EQ(ShortcutValue::fromKeyCombination(combination), expected) << "value " << value;
        }
    }
}

TEST(ShortcutValue, TheKeypadModifierIsNotStored) {
    EXPECT_EQ(ShortcutValue::fromKeyCombination(QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_5)),
              ShortcutValue::kCtrl | 0x35);
}

}  // namespace
