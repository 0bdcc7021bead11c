#include "mainwindow/NameMark.h"

#include "editor/EditorText.h"
#include "script/NameCheck.h"
#include "windowkit/DeferredIcon.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QStyle>

namespace vantrel {

NameMark::NameMark(QLineEdit* box) : QObject(box), m_box(box), m_mark(new QAction(box))
{
    m_mark->setObjectName(QStringLiteral("nameMark"));
    m_mark->setVisible(false);
    connect(box, &QLineEdit::textChanged, this, &NameMark::update);
    update();
}

void NameMark::update()
{
    const std::optional<NameProblem> problem = CheckName(lexerView(m_box->text()));
    QString text;
    if (problem) {
        text = QString::fromUtf8(NameProblemText(*problem)) + u'.';
        text[0] = text[0].toUpper();
        if (*problem != NameProblem::Whitespace)
            text += QStringLiteral(" Names take no spaces and no quotes; underscores stand for "
                                   "spaces.");
    }
    // The icon and its place in the box are made for the first problem: most names never
    // have one, and start-up would pay for them.
    if (problem && m_box->actions().isEmpty()) {
        m_mark->setIcon(deferredIcon(
            [] { return QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning); }));
        m_box->addAction(m_mark, QLineEdit::TrailingPosition);
    }
    m_mark->setVisible(problem.has_value());
    m_mark->setToolTip(text);
    m_box->setToolTip(text);
    m_box->setAccessibleDescription(text);
}

} // namespace vantrel
