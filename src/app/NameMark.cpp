#include "NameMark.h"

#include "EditorText.h"
#include "ScriptNames.h"

#include <QAction>
#include <QLineEdit>
#include <QStyle>

namespace vantrel {

NameMark::NameMark(QLineEdit* box)
    : QObject(box), m_box(box),
      m_mark(new QAction(box->style()->standardIcon(QStyle::SP_MessageBoxWarning), QString(), box))
{
    m_mark->setObjectName(QStringLiteral("nameMark"));
    box->addAction(m_mark, QLineEdit::TrailingPosition);
    connect(box, &QLineEdit::textChanged, this, &NameMark::update);
    update();
}

void NameMark::update()
{
    const std::string problem = NameProblem(lexerView(m_box->text()));
    const QString text =
        problem.empty()
            ? QString()
            : QString::fromStdString(problem) +
                  QStringLiteral(
                      " Names take no spaces and no quotes: underscores stand for spaces.");
    m_mark->setVisible(!problem.empty());
    m_mark->setToolTip(text);
    m_box->setToolTip(text);
    m_box->setAccessibleDescription(text);
}

} // namespace vantrel
