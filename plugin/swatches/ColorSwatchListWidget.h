#pragma once

#include "swatches/files/ColorList.h"
#include "swatches/files/ColorListStore.h"
#include "swatches/files/ImportLimits.h"

#include <QString>
#include <QVector>
#include <QWidget>

#include <functional>
#include <memory>
#include <vector>

class ColorDialogServices;
class ColorSwatchButton;
class QGridLayout;
class QMenu;

namespace Ui {
class ColorSwatchListWidget;
}

// The picker's side panel of stored colors: "Favorites", "History" and further named lists, one
// tab each, every tab a grid of swatches in rows of five. A left click on a swatch makes its
// color the dialog's current color; a right click removes it (not in "History"). "Add Color"
// stores the dialog's current color in the open tab; its right click opens further list files.
// The "S" button's menu imports palettes, exports, renames, clears and removes tabs.
//
// Every tab lives in the main list file. The panel reads it when created and writes it after
// every change, when it closes and when it goes; before a change it takes the file's lock and
// reloads the file if another panel (a second open picker) wrote it since, so neither drops the
// other's swatches. A change the file cannot take (its lock held too long by another picker, or
// the file unreadable) is shown and kept, a line above the tabs says why, and it is made again on
// the file as it then is at the next change, close or end of the panel. The files it imports and
// exports are read and written by PaletteFiles, within the limits of ImportLimits; what goes into
// "History" is the list store's rule.
class ColorSwatchListWidget : public QWidget, public ColorListStore::HistoryView
{
    Q_OBJECT
    Q_DISABLE_COPY(ColorSwatchListWidget)

public:
    static constexpr int MaxSwatches = MaxTabSwatches;
    static constexpr int SwatchSize = 24;
    static constexpr int FavoritesTab = 0;
    static constexpr int HistoryTab = 1;

    // `dialog` receives picks and gives the current color; it is not owned and may be null.
    ColorSwatchListWidget(ColorDialogServices* dialog, QWidget* parent);
    // Stores the open tab and writes the main list file.
    ~ColorSwatchListWidget() override;

    // Puts one swatch in the first free cell of `grid`. A full grid takes nothing. Saves nothing.
    void addSwatch(const QColor& color, QGridLayout* grid, const QString& name);
    // "Add Color": the dialog's current color, alpha included, into the open tab; then saved.
    void addCurrentColor();
    // Right click on "Add Color": list files chosen in a file dialog are added as loadColorList
    // adds them; a file that cannot be added is named in a message box with the reason.
    void openCustomColorList();
    // The same for lists and GIMP palettes, from the "S" menu.
    void importPalettes();
    // Reads a list file or palette (readPaletteFile) and adds its lists to the tabs of the same
    // titles (new tabs at the end for new titles); colors past a tab's 80th continue in "Title 2",
    // "Title 3", ... The main list file is reloaded first and saved after. False, with a one-line
    // reason and nothing changed, for a file that cannot be read, is no list, or is over the
    // import limits (importFits).
    bool loadColorList(const QString& path, QString& reason);
    // Writes every tab to the main list file, with the changes still waiting made again on the
    // file as it now is; false when it could not be written.
    bool saveColorLists();
    // Takes `button` out of `grid`, moves every later swatch back one cell in reading order and
    // saves. The main list file is reloaded first; when that rebuilt the tabs, the swatch alike
    // in red, green, blue and name goes, at the same place if it is still there.
    void removeSwatch(ColorSwatchButton* button, QGridLayout* grid);

    // "History" changed by `edit`, as every change is made (see change below): the list store
    // puts accepted colors there (ColorListStore::rememberColor with this panel).
    bool changeHistory(const HistoryEdit& edit) override;

    // The grid of tab `index`, or null.
    QGridLayout* gridOf(int index) const;
    // The tabs as the main list file holds them.
    QVector<ColorList> colorLists() const;

public slots:
    // Stores the open tab, writes the main list file and hides the panel.
    bool close();

private:
    void exportCurrentTab();
    void renameCurrentTab();
    void clearCurrentTab();
    void removeCurrentTab();
    void updateMenu();

    // One change to the tabs, by titles and colors rather than places, so that it can be made
    // again on the tabs as another panel left them. False when it found nothing to change.
    using Edit = std::function<bool()>;
    // Under the file's lock: takes in the file, makes `edit` and writes the tabs. Without the
    // lock, or when the file cannot be written, `edit` is shown and waits. Returns `edit`'s result.
    bool change(const Edit& edit);
    // Before a change: takes in what another panel wrote since this one last read or wrote, and
    // makes the waiting changes again on it.
    void takeInFileChanges();
    // The line above the tabs: why the file did not take the tabs, hidden when it did.
    void showFileState();
    void replaceTabs(const QVector<ColorList>& lists);
    void addLists(const QVector<ColorList>& lists);
    int tabOfTitle(const QString& title) const;
    QGridLayout* gridOfTitle(const QString& title);
    void clearGrid(QGridLayout* grid);
    void closeGap(QGridLayout* grid);
    void pick(const QColor& color);
    void importFiles(const QStringList& paths, const QString& caption);
    QString startFolder() const;
    void rememberFolder(const QString& path);
    void storeCurrentTab();
    bool confirm(const QString& caption, const QString& question);
    void refuse(const QString& caption, const QString& reason);

    std::unique_ptr<Ui::ColorSwatchListWidget> ui;
    ColorDialogServices* dialog = nullptr;
    int currentTab = 0;
    int columnCount = 5;
    ColorListStore store;
    // Changes shown but not yet in the file, oldest first.
    std::vector<Edit> waiting;
    QMenu* settingsMenu = nullptr;
};
