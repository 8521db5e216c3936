#pragma once
// Puts the table's tooltips on the controls under `root`, found by their object names.

class QWidget;

namespace quintrel::table {

void applyControlTips(QWidget* root);

}  // namespace quintrel::table
