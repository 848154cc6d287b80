#pragma once
// The question overview: a panel on the window's right with the tree of the
// current test (its header, its variants, every question navigation
// reaches, each with its state under the structure check's rules). The tree
// is rebuilt only when what it shows may have changed; the shown question
// is selected at every render. A question row opens its question as the
// navigation buttons do.
#include <QObject>
#include <tuple>
#include <vector>

#include "core/checker/structure_check.h"

class QDockWidget;
class QTreeWidget;
class QTreeWidgetItem;
class QVBoxLayout;
class TFormQuizloom;

class OverviewController : public QObject {
    Q_OBJECT
public:
    explicit OverviewController(TFormQuizloom& window);

    QDockWidget* dock() const { return dock_; }
    QTreeWidget* tree() const { return tree_; }
    // The panel's column, for a bar that joins it at the bottom.
    QVBoxLayout* column() const { return column_; }

    // Shows or hides the panel; the session remembers it.
    void setShown(bool shown);
    // After every handler: the panel as the session wants it, the tree
    // rebuilt when its test changed, the shown question selected.
    void render();
    // The question of a row, saved first in edit mode as navigation does.
    void openRow(QTreeWidgetItem* item);

private:
    using Key = std::tuple<unsigned, unsigned, int, std::string, std::string>;
    Key currentKey() const;
    void placePanel(bool shown);
    void rebuild();
    void selectShown();

    TFormQuizloom& window_;
    QDockWidget* dock_;
    QTreeWidget* tree_;
    QVBoxLayout* column_;
    bool panelShown_ = false;
    bool built_ = false;
    Key builtKey_;
    // The question rows by variant and question, from 1 on (index 0 unused).
    std::vector<std::vector<QTreeWidgetItem*>> rows_;
};
