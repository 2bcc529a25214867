#include "ui/widgets/EditableGrid.h"

#include <QApplication>

namespace gibomer {

void EditableGrid::commitOpenEditor()
{
    if (state() != QAbstractItemView::EditingState)
        return;
    QWidget* editor = QApplication::focusWidget();
    if (!editor || !viewport()->isAncestorOf(editor)) {
        // Without the focus (an inactive window) take the visible cell editor.
        editor = nullptr;
        const auto children = viewport()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        for (QWidget* child : children) {
            if (child->isVisible() && child->inherits("QLineEdit"))
                editor = child;
        }
    }
    if (!editor)
        return;
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

} // namespace gibomer
