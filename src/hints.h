#pragma once

#include <QString>

class QWidget;

// A hint is "short|long": the short part is the tooltip, the long part goes to
// the status bar. A hint without "|" serves as both.
QString ShortHint(const QString &hint);
QString LongHint(const QString &hint);

void SetHint(QWidget *control, const QString &hint);

// The long hint of the control or of the nearest enclosing control that has a
// hint; empty when none has.
QString LongHintAt(const QWidget *control);
