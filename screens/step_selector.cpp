#include "screens/step_selector.h"

#include "engine/catalogue.h"
#include "engine/check_box.h"
#include "engine/screen.h"

StepSelector::StepSelector(Screen& screen, int count, int x, int y, std::unique_ptr<Clip> label)
    : screen_(screen), x_(x), y_(y) {
  if (label) label_ = screen_.AddClip(std::move(label));
  const Clip* picture = catalogue::Get(ButtonPicture::kSpeedCell);
  for (int i = 0; i < count && picture; ++i) {
    auto cell = std::make_unique<CheckBox>();
    cell->CopyFrom(*picture);
    cell->Uncheck();
    cell->x = x_ + nextX_, cell->y = y_;
    nextX_ += kCellSpacing;
    if (Control* added = screen_.AddControl(std::move(cell))) cells_.push_back(static_cast<CheckBox*>(added));
  }
}

StepSelector::~StepSelector() {
  for (auto cell = cells_.rbegin(); cell != cells_.rend(); ++cell)
    screen_.RemoveControl(*cell);
  if (label_) screen_.RemoveClip(label_);
}

bool StepSelector::OnControl(Control* control) {
  for (size_t i = 0; i < cells_.size(); ++i)
    if (cells_[i] == control) {
      SetValue(static_cast<int>(i));
      return true;
    }
  return false;
}

void StepSelector::SetValue(int v) {
  if (v > static_cast<int>(cells_.size())) return;
  for (size_t i = 0; i < cells_.size(); ++i) {
    if (static_cast<int>(i) <= v)
      cells_[i]->Check();
    else
      cells_[i]->Uncheck();
  }
  value_ = v;
}
