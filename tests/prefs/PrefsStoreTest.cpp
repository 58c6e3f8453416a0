// The store in memory: keys without regard to case, typed values with their
// defaults, type changes, the colour pool, deletion and counting.
#include <gtest/gtest.h>

#include "framework/core/MemoryBlock.h"
#include "prefs/PrefsManager.h"

namespace {

template <class T>
concept Settable = requires(PrefsManager& p, T v) { p.Set(QString(), v); };

// Literal text is a String, and no number slips silently into another type.
static_assert(Settable<int32_t> && Settable<float> && Settable<double> && Settable<bool>);
static_assert(Settable<const char*> && Settable<QString> && Settable<Color> && Settable<DatePtr>);
static_assert(!Settable<long> && !Settable<unsigned> && !Settable<int64_t> && !Settable<char>);

// The four arrays of entries always have the same size; element 0 is no entry.
void expectParallel(const PrefsManager& p) {
    EXPECT_EQ(p.theNames.size(), p.thePrefs.size());
    EXPECT_EQ(p.theTypes.size(), p.thePrefs.size());
    EXPECT_EQ(p.theFlags.size(), p.thePrefs.size());
    EXPECT_GE(p.theColors.size(), 1u);
    EXPECT_EQ(p.Count(), int32_t(p.thePrefs.size()) - 1);
}

TEST(PrefsStore, ANewStoreHoldsOnlyElementZero) {
    PrefsManager p(nullptr);
    EXPECT_EQ(p.thePrefs.size(), 1u);
    EXPECT_EQ(p.theColors.size(), 1u);
    EXPECT_EQ(p.pFile, nullptr);
    EXPECT_EQ(p.Count(), 0);
    expectParallel(p);
}

TEST(PrefsStore, EachSetterStoresUnderItsTag) {
    PrefsManager p(nullptr);
    auto date = std::make_shared<Date>();
    p.Set("i", 7);
    p.Set("s", "text");
    p.Set("f", 1.25f);
    p.Set("d", 2.5);
    p.Set("b", true);
    p.Set("t", date);
    p.Set("c", RGB(1, 2, 3));
    const std::vector<int32_t> expected{0, 2, 8, 31, 5, 11, 32, 33};
    EXPECT_EQ(p.theTypes, expected);
    expectParallel(p);

    EXPECT_EQ(p.GetInteger("i"), 7);
    EXPECT_EQ(p.GetString("s"), QStringLiteral("text"));
    EXPECT_EQ(p.GetSingle("f"), 1.25f);
    EXPECT_EQ(p.GetDouble("d"), 2.5);
    EXPECT_TRUE(p.GetBoolean("b"));
    EXPECT_EQ(p.GetDate("t"), date);
    EXPECT_EQ(p.GetColor("c"), RGB(1, 2, 3));
}

TEST(PrefsStore, MissingKeysAndOtherTypesReadAsDefaults) {
    PrefsManager p(nullptr);
    auto check = [&](const QString& key) {
        EXPECT_EQ(p.GetInteger(key), 0) << key.toStdString();
        EXPECT_EQ(p.GetSingle(key), 0.0f) << key.toStdString();
        EXPECT_EQ(p.GetDouble(key), 0.0) << key.toStdString();
        EXPECT_FALSE(p.GetBoolean(key)) << key.toStdString();
        EXPECT_EQ(p.GetDate(key), nullptr) << key.toStdString();
        EXPECT_EQ(p.GetColor(key), RGB(0, 0, 0)) << key.toStdString();
    };
    check("missing");
    EXPECT_EQ(p.GetString("missing"), QString());

    // A Double is not a Single, and an Int32 is no String, Boolean or colour.
    p.Set("number", 5);
    p.Set("double", 3.0);
    EXPECT_EQ(p.GetString("number"), QString());
    EXPECT_TRUE(p.Exists("number"));
    EXPECT_FALSE(p.GetBoolean("number"));
    EXPECT_EQ(p.GetColor("number"), RGB(0, 0, 0));
    EXPECT_EQ(p.GetSingle("double"), 0.0f);
    EXPECT_EQ(p.GetInteger("double"), 0);
    p.Set("text", "5");
    check("text");
}

TEST(PrefsStore, KeysIgnoreCaseAndKeepTheirFirstSpelling) {
    PrefsManager p(nullptr);
    p.Set("display", 1);
    EXPECT_EQ(p.GetInteger("DISPLAY"), 1);
    EXPECT_EQ(p.GetInteger("DiSpLaY"), 1);
    EXPECT_TRUE(p.Exists("Display"));
    p.Set("DISPLAY", 4);
    EXPECT_EQ(p.Count(), 1);
    EXPECT_EQ(p.GetInteger("display"), 4);
    EXPECT_EQ(p.theNames[1], QStringLiteral("display"));

    p.Set(QString::fromUtf8("écran"), 2);
    EXPECT_EQ(p.GetInteger(QString::fromUtf8("ÉCRAN")), 2);
    // Whole keys only, and the empty key is a key like any other.
    EXPECT_FALSE(p.Exists("displa"));
    EXPECT_FALSE(p.Exists("display "));
    EXPECT_FALSE(p.Exists(""));
    p.Set("", "empty");
    EXPECT_EQ(p.GetString(""), QStringLiteral("empty"));
    EXPECT_EQ(p.KeyIndex(""), 3);
}

TEST(PrefsStore, ASetterOfAnotherTypeTakesOverTheEntry) {
    PrefsManager p(nullptr);
    p.Set("k", 5);
    p.Set("K", "now text");
    EXPECT_EQ(p.Count(), 1);
    EXPECT_EQ(p.theTypes[1], 8);
    EXPECT_EQ(p.GetString("k"), QStringLiteral("now text"));
    EXPECT_EQ(p.GetInteger("k"), 0);
    EXPECT_EQ(p.theNames[1], QStringLiteral("k"));
}

TEST(PrefsStore, ColoursLiveInAPoolWhoseSlotsAreNeverReused) {
    PrefsManager p(nullptr);
    p.Set("bar", RGB(10, 20, 30));
    p.Set("bar", RGB(40, 50, 60));  // same slot
    EXPECT_EQ(p.theColors.size(), 2u);
    EXPECT_EQ(p.GetColor("bar"), RGB(40, 50, 60));
    EXPECT_EQ(p.thePrefs[1].ToInt32(), 1);

    p.Set("n", 9);
    p.Set("n", RGB(1, 1, 1));  // an Int32 becoming a colour gets a new slot
    EXPECT_EQ(p.theColors.size(), 3u);
    EXPECT_EQ(p.thePrefs[2].ToInt32(), 2);
    EXPECT_EQ(p.GetColor("n"), RGB(1, 1, 1));

    p.Delete("bar");  // the slot stays
    p.Set("bar", RGB(7, 7, 7));
    EXPECT_EQ(p.theColors.size(), 4u);
    EXPECT_EQ(p.theColors[1], RGB(40, 50, 60));
    EXPECT_EQ(p.GetColor("bar"), RGB(7, 7, 7));

    // A colour turned into text and back takes yet another slot.
    p.Set("n", "x");
    p.Set("n", RGB(2, 2, 2));
    EXPECT_EQ(p.theColors.size(), 5u);
    EXPECT_EQ(p.GetColor("n"), RGB(2, 2, 2));
    expectParallel(p);
}

// Keys match when their upper cases are equal without regard to case.
TEST(PrefsStore, KeysMatchByTheirUpperCaseBeyondAscii) {
    const struct {
        const char *set, *asked;
        bool found;
    } cases[] = {{"straße", "STRASSE", true}, {"ﬁle", "FILE", true}, {"\u212A", "k", true},  // Kelvin sign
                 {"σ", "ς", true}, {"\u0130", "i", false}};
    for (const auto& c : cases) {
        PrefsManager p(nullptr);
        p.Set(QString::fromUtf8(c.set), 1);
        EXPECT_EQ(p.Exists(QString::fromUtf8(c.asked)), c.found) << c.set << " / " << c.asked;
    }
}

TEST(PrefsStore, DeletedEntriesStayAndAreCounted) {
    PrefsManager p(nullptr);
    p.Set("a", 1);
    p.Set("b", 2);
    p.Set("c", 3);
    p.Delete("B");
    EXPECT_FALSE(p.Exists("b"));
    EXPECT_EQ(p.GetInteger("b"), 0);
    EXPECT_EQ(p.Count(), 3);
    EXPECT_EQ(p.theFlags, (std::vector<int32_t>{0, 0, 1, 0}));

    p.Set("b", 20);  // a new entry behind the deleted one
    EXPECT_EQ(p.Count(), 4);
    EXPECT_EQ(p.KeyIndex("b"), 4);
    EXPECT_EQ(p.GetInteger("b"), 20);

    p.Delete("nothing");
    EXPECT_EQ(p.Count(), 4);

    p.DeleteAll();
    for (const char* key : {"a", "b", "c"}) EXPECT_FALSE(p.Exists(key)) << key;
    EXPECT_EQ(p.Count(), 4);
    EXPECT_EQ(p.theNames[2], QStringLiteral("b"));  // key and value stay
    EXPECT_EQ(p.thePrefs[2].ToInt32(), 2);
    expectParallel(p);
}

TEST(PrefsStore, DatesAreSharedNotCopied) {
    PrefsManager p(nullptr);
    auto date = std::make_shared<Date>();
    date->SetTotalSeconds(100);
    p.Set("when", date);
    date->SetTotalSeconds(200);
    ASSERT_EQ(p.GetDate("when"), date);
    p.GetDate("when")->SetTotalSeconds(300);
    EXPECT_EQ(date->TotalSeconds(), 300);

    auto other = std::make_shared<Date>();
    p.Set("WHEN", other);
    EXPECT_EQ(p.GetDate("when"), other);
    EXPECT_EQ(p.Count(), 1);
}

TEST(PrefsStore, ANilFileMakesAnEmptyStoreThatSavesNothing) {
    PrefsManager p(nullptr);
    p.Set("k", 1);
    p.Save();
    p.SaveAs(nullptr);
    EXPECT_EQ(p.pFile, nullptr);
    p.Refresh();  // no file: nothing to come back to
    EXPECT_EQ(p.Count(), 0);
    EXPECT_FALSE(p.Exists("k"));
}

TEST(PrefsStore, AddToPrefsWindowChangesNothing) {
    PrefsManager p(nullptr);
    p.Set("k", 1);
    p.AddToPrefsWindow("k", "Caption", "Group", "Help", 2);
    p.AddToPrefsWindow("x", "Caption", "Group", "Help", 8, "extra");
    EXPECT_EQ(p.Count(), 1);
    EXPECT_FALSE(p.Exists("x"));
}

}  // namespace
