// MainScreen: watching a kept recording of the top ten, with its caption on the panel.
#include <cstdio>

#include "engine/bitmap.h"
#include "engine/draw_style.h"
#include "engine/text_block.h"
#include "game/replay_recorder.h"
#include "screens/main_screen.h"
#include "screens/screens_context.h"

namespace {
// Below the mode badge, above the panel's last rule: two lines, the name and the score.
constexpr int kCaptionX = 592, kCaptionY = 498, kCaptionWidth = 196, kCaptionHeight = 38;
constexpr uint32_t kCaptionText = 0xFFFFFF, kCaptionBackground = 0x4B4B9B;

std::unique_ptr<Bitmap> CaptionSurface(const std::string& name, int score) {
  auto surface = std::make_unique<Bitmap>();
  if (!surface->Create(kCaptionWidth, kCaptionHeight)) return surface;
  const DrawPenRecord savedPen = DrawPen();
  const DrawBrushRecord savedBrush = DrawBrush();
  DrawBrush().color = kCaptionBackground;
  DrawPen().color = kCaptionBackground;
  surface->DrawRectangle(0, 0, kCaptionWidth, kCaptionHeight);
  DrawPen() = savedPen;
  DrawBrush() = savedBrush;
  surface->SetColorKey(int32_t(kCaptionBackground));
  DrawFontRecord font;
  font.textColor = kCaptionText;
  font.backgroundColor = kCaptionBackground;
  font.styleFlags = kFontBold;
  font.size = 14;
  font.SetFaceName("Courier New");
  DrawFontScope scope(font);
  char scoreText[16];
  std::snprintf(scoreText, sizeof scoreText, "%d", score);
  int y = 0;
  for (const char* line : {name.c_str(), static_cast<const char*>(scoreText)}) {
    int width = 0, height = 0;
    surface->MeasureText(line, width, height);
    surface->DrawText(line, (kCaptionWidth - width) / 2, y);
    y += kCaptionHeight / 2;
  }
  return surface;
}
}  // namespace

bool MainScreen::Watch(const std::string& recording, const std::string& name, int score) {
  int level = 0, mode = 0;
  if (!Screens().playerFactory || ReadReplayHeader(recording, level, mode) != ReplayHeaderCheck::kOk)
    return false;
  watchFile_ = recording;
  watchEndMs_ = 0;
  StartPlayer(true);
  auto caption = std::make_unique<Clip>();
  caption->AddFrame(CaptionSurface(name, score));
  caption->x = kCaptionX, caption->y = kCaptionY, caption->depth = -1;
  watchCaption_ = AddClip(std::move(caption));
  SortByDepth();
  return true;
}

void MainScreen::EndWatch() {
  if (watchCaption_) RemoveClip(watchCaption_);
  watchCaption_ = nullptr;
  watchFile_.clear();
}
