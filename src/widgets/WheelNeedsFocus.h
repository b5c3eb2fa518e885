#pragma once

class QWidget;

// Spin boxes, combo boxes and sliders under `root` take the mouse wheel only once the user has
// clicked or tabbed into them; before that the wheel scrolls the panel they sit in, so that
// scrolling past a field does not change the card.
void wheelNeedsFocusUnder(QWidget* root);
