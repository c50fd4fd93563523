// The board in the settings store.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store/config.h"
#include "tests/game/field_test_support.h"

namespace {
struct StoredBoard : TestBoard {
  OConfig store;
  StoredBoard() { owner.settings = &store; }
};

TEST(FieldStore, SavedBoardLoadsBackCellForCell) {
  StoredBoard a;
  SetRows(a.field,
          {"01234501234501234", "5.4.3.2.1.0", "", "", "", "", "", "", "", "", "", "", "", "", "", "0"});
  a.field.Save();
  const std::string* text = a.store.FindText("GameOrig.Field");
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->substr(0, 38), "[0 1 2 3 4 5 0 1 2 3 4 5 0 1 2 3 4 5 -");

  StoredBoard b;
  b.store.SetText("GameOrig.Field", *text);
  b.field.Load();
  EXPECT_EQ(b.field.Cells(), a.field.Cells());
  EXPECT_EQ(b.owner.draws, 0);
}

TEST(FieldStore, StoredValuesArePaletteIndices) {
  StoredBoard b;
  b.owner.palette[1] = 4;  // entry 1 holds colour 4; so does entry 4
  SetRows(b.field, {"14"});
  b.field.Save();
  EXPECT_EQ(b.store.GetIntArray("GameOrig.Field")[0], 1);
  EXPECT_EQ(b.store.GetIntArray("GameOrig.Field")[1], 1);  // the first entry with colour 4
  b.store.SetText("GameOrig.Field", "[4 1 -1 2]");
  b.field.Reset(true);
  b.field.Load();
  EXPECT_EQ(GetRows(b.field, 1)[0], "44.2.............");
}

TEST(FieldStore, ValueOutsideTheColoursStopsTheLoadThere) {
  StoredBoard b;
  b.store.SetText("GameOrig.Field", "[1 -1 2 6 3 4]");
  b.field.Load();
  EXPECT_EQ(GetRows(b.field, 1)[0], "1.2..............");
  b.field.Reset(true);
  b.store.SetText("GameOrig.Field", "[1 -2 3]");
  b.field.Load();
  EXPECT_EQ(GetRows(b.field, 1)[0], "1................");
}

TEST(FieldStore, ValuesBeyondTheBoardAreIgnored) {
  StoredBoard b;
  std::vector<int> values(300, 2);
  b.store.SetIntArray("GameOrig.Field", values);
  b.field.Load();
  for (int i = 0; i < kCellCount; ++i)
    EXPECT_EQ(b.field.Cell(i), 2);
}

TEST(FieldStore, MissingOrEmptyListStartsANewBoard) {
  for (const char* text : {"", "[]"}) {
    StoredBoard b;
    if (*text) b.store.SetText("GameOrig.Field", text);
    b.field.Load();
    EXPECT_EQ(b.owner.draws, 153) << text;
    EXPECT_FALSE(b.field.IsEmpty(152));
    EXPECT_TRUE(b.field.IsEmpty(153));
  }
}

TEST(FieldStore, KeyFollowsTheGamesName) {
  StoredBoard b;
  b.owner.name = "GameTime";
  SetRows(b.field, {"3"});
  b.field.Save();
  EXPECT_TRUE(b.store.Has("GameTime.Field"));
  EXPECT_FALSE(b.store.Has("GameOrig.Field"));
}
}  // namespace
