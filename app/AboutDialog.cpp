#include "app/AboutDialog.h"

#include <QLabel>
#include <QPushButton>

#include "app/DialogBuilder.h"
#include "core/Strings.h"

namespace zq {

CAboutDialog::CAboutDialog(QWidget* parent, const std::string& lexiconName)
    : CAppDialog(res::kAboutTemplate, parent) {
    paintBackground = 0;
    if (lexiconName.empty()) return;
    // The credits name ENABLE; a list of the player's own is named below them,
    // in a strip the window grows by.
    const res::DialogTemplate* t = res::findTemplate(res::kAboutTemplate);
    if (!t) return;
    const DialogUnits units = unitsFor(*this, *t);
    auto* label =
        new QLabel(QString::fromUtf8(str::withText(str::kAboutLexicon, lexiconName).c_str()), this);
    label->setObjectName(QStringLiteral("aboutLexicon"));
    label->setWordWrap(true);
    label->setGeometry(units.rect(14, t->height, t->width - 21, 18));
    setFixedSize(width(), units.y(t->height + 22));
}

} // namespace zq
