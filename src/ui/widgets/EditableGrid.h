// A table view whose open cell editor can be committed on demand, so that a
// value still being typed is saved by a button or by closing the window.
#pragma once

#include <QTableView>

namespace gibomer {

class EditableGrid : public QTableView
{
    Q_OBJECT
public:
    using QTableView::QTableView;
    // Writes an open cell editor's text to the model and closes the editor.
    void commitOpenEditor();
};

} // namespace gibomer
