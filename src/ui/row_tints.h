#pragma once

#include <QColor>

namespace hanaki {

// The backgrounds of income and expense rows and cells on every screen.
inline const QColor kIncomeTint(255, 220, 220);
inline const QColor kExpenseTint(220, 220, 255);

}  // namespace hanaki
