// The font the user chose, pushed into a window's controls by kind.
#pragma once

#include <QFont>
#include <QWidget>

#include "core/settings.h"

namespace orv {

// The chosen font; FontCharset only records a choice and maps to nothing here.
QFont ChosenFont(const Settings& s);

// With "Use selected font." on: edits, lists and grids get the font when "Edit
// elements" is on; labels, buttons, check and radio boxes when "ORV 2
// elements" is on. A label tagged 399 keeps its font; one tagged 398 (a hidden
// sidebar item) keeps its height of 0.
void ApplyChosenFont(QWidget* window, const Settings& s);

// Window bounds kept under <name>Top/Left/Height/Width.
void RestoreBounds(QWidget* window, const std::optional<std::int32_t>& top, const std::optional<std::int32_t>& left,
                   const std::optional<std::int32_t>& height, const std::optional<std::int32_t>& width);
void SaveBounds(const QWidget* window, std::optional<std::int32_t>& top, std::optional<std::int32_t>& left,
                std::optional<std::int32_t>& height, std::optional<std::int32_t>& width);

// Centres `window` over `over` (the help window over the main window).
void PlaceOver(QWidget* window, const QWidget* over);

}  // namespace orv
