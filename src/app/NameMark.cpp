#include "NameMark.h"

#include "DeferredIcon.h"
#include "EditorText.h"
#include "ScriptNames.h"

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
    const std::string problem = NameProblem(lexerView(m_box->text()));
    const QString text =
        problem.empty() ? QString()
                        : QString::fromStdString(problem) +
                              QStringLiteral(" Names take no spaces and no quotes: underscores "
                                             "stand for spaces.");
    // The icon and its place in the box are made for the first problem: most names never
    // have one, and start-up would pay for them.
    if (!problem.empty() && m_box->actions().isEmpty()) {
        m_mark->setIcon(deferredIcon(
            [] { return QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning); }));
        m_box->addAction(m_mark, QLineEdit::TrailingPosition);
    }
    m_mark->setVisible(!problem.empty());
    m_mark->setToolTip(text);
    m_box->setToolTip(text);
    m_box->setAccessibleDescription(text);
}

} // namespace vantrel
