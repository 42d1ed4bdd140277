#include "hints.h"

#include <QVariant>
#include <QWidget>

namespace
{
constexpr const char *HintProperty = "vorkadeHint";
}

QString ShortHint(const QString &hint)
{
    return hint.section(QLatin1Char('|'), 0, 0);
}

QString LongHint(const QString &hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.mid(bar + 1);
}

void SetHint(QWidget *control, const QString &hint)
{
    control->setProperty(HintProperty, hint);
    control->setToolTip(ShortHint(hint));
}

QString LongHintAt(const QWidget *control)
{
    for (const QWidget *w = control; w; w = w->parentWidget()) {
        const QString hint = w->property(HintProperty).toString();
        if (!hint.isEmpty())
            return LongHint(hint);
    }
    return {};
}
