#pragma once

#include "swatches/ColorList.h"
#include "swatches/ColorListStore.h"

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
// the file as it then is at the next change, close or end of the panel.
class ColorSwatchListWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(ColorSwatchListWidget)

public:
    static constexpr int MaxSwatches = 80;
    static constexpr int SwatchSize = 24;
    static constexpr int FavoritesTab = 0;
    static constexpr int HistoryTab = 1;
    // More colors than this in one file to import is refused rather than spread over tabs
    // without end.
    static constexpr int MaxImportedSwatches = 50 * MaxSwatches;
    static constexpr qint64 MaxImportedBytes = qint64(8) << 20;
    // Likewise more new tabs (after lists of one title have joined and long ones have been
    // split over "Title 2", "Title 3", ...) than anyone could find again among the tabs.
    static constexpr int MaxImportedTabs = 100;

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
    // Reads a JSON list file or a GIMP palette and adds its lists to the tabs of the same titles
    // (new tabs at the end for new titles); colors past a tab's 80th continue in "Title 2",
    // "Title 3", ... A palette without a name is titled after its file. The main list file is
    // reloaded first and saved after. False, with a one-line reason and nothing changed, for a
    // file that cannot be read, is no list, or is over the limits above.
    bool loadColorList(const QString& path, QString& reason);
    // Writes every tab to the main list file, with the changes still waiting made again on the
    // file as it now is; false when it could not be written.
    bool saveColorLists();
    // Takes `button` out of `grid`, moves every later swatch back one cell in reading order and
    // saves. The main list file is reloaded first; when that rebuilt the tabs, the swatch alike
    // in red, green, blue and name goes, at the same place if it is still there.
    void removeSwatch(ColorSwatchButton* button, QGridLayout* grid);

    // A color the user accepted goes to the front of "History" unless it is the newest there
    // already; the oldest past the 80th go. The main list file is reloaded first and saved
    // after. Nothing happens while the "S" menu's switch for it is off.
    void rememberColor(const QColor& color);
    // The same for a picker with or without a panel: without one, straight on the main file; a
    // color the file cannot take then waits, is named in the listener, and goes with the next
    // color accepted without a panel or into the next panel that opens.
    static void rememberColor(ColorSwatchListWidget* panel, const QColor& color);
    // Writes the colors accepted without a panel that the file could not take yet; true when none
    // is left waiting. The host's shutdown gives them this last chance.
    static bool writeWaitingHistory();
    // Puts `color`, opaque, in front of `history` unless it equals the first there in red,
    // green and blue; keeps the first MaxSwatches. True when `history` changed.
    static bool rememberIn(QVector<ColorList::Swatch>& history, const QColor& color);
    // The switch, stored in the settings; on unless turned off.
    static bool remembersColors();

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
    bool rememberInTab(const QColor& color);
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
