#include "navigation/OutlinePopup.h"

#include "editor/ScriptEditor.h"
#include "navigation/DeclarationSource.h"
#include "navigation/NameModel.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QSortFilterProxyModel>
#include <QVBoxLayout>

namespace vantrel {

OutlinePopup::OutlinePopup(ScriptEditor& editor, DeclarationSource& declarations)
    : QFrame(&editor), m_editor(editor), m_declarations(declarations),
      m_model(new NameModel(true, this)), m_filter(new QSortFilterProxyModel(this)),
      m_filterBox(new QLineEdit(this)), m_list(new QListView(this))
{
    setObjectName(QStringLiteral("outline"));
    setAccessibleName(QStringLiteral("Go to Script"));
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    setPalette(QApplication::palette()); // not the editor's black box
    m_filter->setSourceModel(m_model);
    m_filter->setFilterRole(Qt::EditRole); // the name alone
    m_filter->setFilterCaseSensitivity(Qt::CaseInsensitive);
    m_filterBox->setObjectName(QStringLiteral("outlineFilter"));
    m_filterBox->setAccessibleName(QStringLiteral("Filter scripts and globals"));
    m_filterBox->setPlaceholderText(QStringLiteral("Script or global name"));
    m_filterBox->setClearButtonEnabled(true);
    m_filterBox->installEventFilter(this);
    m_list->setObjectName(QStringLiteral("outlineList"));
    m_list->setAccessibleName(QStringLiteral("Scripts and globals"));
    m_list->setModel(m_filter);
    m_list->setUniformItemSizes(true); // long lists lay out without measuring each row
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(m_filterBox);
    layout->addWidget(m_list);
    setFocusProxy(m_filterBox);
    hide();

    connect(m_filterBox, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_filter->setFilterFixedString(text);
        selectFirst();
    });
    connect(m_list, &QListView::activated, this, &OutlinePopup::goToCurrent);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (isVisible() && now && now != this && !isAncestorOf(now))
            hide();
    });
}

void OutlinePopup::open()
{
    m_model->setEntries(NameModel::entriesOf(m_declarations.current()));
    m_filterBox->clear();
    m_filter->setFilterFixedString(QString());
    selectFirst();
    setGeometry(m_editor.viewport()->geometry());
    show();
    raise();
    m_filterBox->setFocus(Qt::ShortcutFocusReason);
}

void OutlinePopup::selectFirst()
{
    m_list->setCurrentIndex(m_filter->index(0, 0));
}

void OutlinePopup::goToCurrent()
{
    const QModelIndex current = m_list->currentIndex();
    if (!current.isValid())
        return;
    const int position = current.data(NameModel::PositionRole).toInt();
    dismiss();
    emit goTo(position);
}

void OutlinePopup::dismiss()
{
    hide();
    m_editor.setFocus(Qt::OtherFocusReason);
}

bool OutlinePopup::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QFrame::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
    case Qt::Key_Escape:
        dismiss();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        goToCurrent();
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (watched == m_filterBox) {
            // The filter box keeps the focus; the list moves its choice.
            QApplication::sendEvent(m_list, event);
            return true;
        }
        break;
    default:
        break;
    }
    return QFrame::eventFilter(watched, event);
}

} // namespace vantrel
