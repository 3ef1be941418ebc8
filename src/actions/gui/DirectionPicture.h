#pragma once
// The direction picture and the direction roll, as the actions and close-combat screens show them.

class QLabel;
class QWidget;

namespace dorva {

// An image control for direction pictures, placed in twips; it shows no picture yet.
QLabel* MakeDirectionImage(QWidget* parent, const char* name, int left, int top, int width, int height);

// The image shows the picture for the scenario's attitude and hex grain before any roll.
void ShowDirectionPicture(QLabel* image);
// Rolls a direction dr: label says "Dir = " and the dr, image shows its picture.
void RollDirection(QLabel* label, QLabel* image);

// The image shows picture number picture (none for actions::kNoPicture), scaled to fit the control
// without distortion. Its number stays in the image's "picture" property, its words in the
// accessible description.
void SetDirectionPicture(QLabel* image, int picture);

} // namespace dorva
