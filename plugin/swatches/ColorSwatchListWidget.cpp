#include "swatches/ColorSwatchListWidget.h"

#include "color/ColorValue.h"
#include "fields/kit/ColorDialogServices.h"
#include "host/services/HostAccess.h"
#include "host/services/SettingsStore.h"
#include "swatches/ColorSwatchButton.h"
#include "swatches/files/PaletteFiles.h"
#include "transfer/ColorCopyMenu.h"
#include "ui_ColorSwatchListWidget.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSpacerItem>
#include <QVBoxLayout>

#include <utility>

namespace {

const QString kSettingsGroup = QString::fromLatin1(ColorListStore::SettingsGroup);
const QString kCurrentTabKey = QStringLiteral("CurrentTab");
// The folder a list was last opened from, where the next file dialog starts.
const QString kListFolderKey = QStringLiteral("ListFolder");

} // namespace

ColorSwatchListWidget::ColorSwatchListWidget(ColorDialogServices* services, QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::ColorSwatchListWidget>()), dialog(services)
{
    ui->setupUi(this);

    QVariant storedTab(0);
    ReadSetting(kSettingsGroup, kCurrentTabKey, storedTab);
    currentTab = storedTab.toInt();

    connect(ui->addCurrentColorBtn, &MultiClickPushButton::leftClicked, this,
            &ColorSwatchListWidget::addCurrentColor);
    connect(ui->addCurrentColorBtn, &MultiClickPushButton::rightClicked, this,
            &ColorSwatchListWidget::openCustomColorList);

    settingsMenu = new QMenu(this);
    settingsMenu->setObjectName(QStringLiteral("settingsMenu"));
    settingsMenu->addAction(ui->importPaletteAction);
    settingsMenu->addAction(ui->exportTabAction);
    settingsMenu->addSeparator();
    settingsMenu->addAction(ui->rememberColorsAction);
    settingsMenu->addSeparator();
    settingsMenu->addAction(ui->renameTabAction);
    settingsMenu->addAction(ui->clearTabAction);
    settingsMenu->addAction(ui->removeTabAction);
    // Opened by hand rather than as the button's own menu, which would squeeze an arrow into the
    // small square button beside its "S".
    connect(ui->settingsBtn, &QPushButton::clicked, this, [this] {
        settingsMenu->exec(ui->settingsBtn->mapToGlobal(QPoint(0, ui->settingsBtn->height())));
    });
    connect(settingsMenu, &QMenu::aboutToShow, this, &ColorSwatchListWidget::updateMenu);
    connect(ui->importPaletteAction, &QAction::triggered, this,
            &ColorSwatchListWidget::importPalettes);
    connect(ui->exportTabAction, &QAction::triggered, this,
            &ColorSwatchListWidget::exportCurrentTab);
    ui->rememberColorsAction->setChecked(ColorListStore::remembersColors());
    connect(ui->rememberColorsAction, &QAction::triggered, this,
            [](bool on) { ColorListStore::setRemembersColors(on); });
    connect(ui->renameTabAction, &QAction::triggered, this,
            &ColorSwatchListWidget::renameCurrentTab);
    connect(ui->clearTabAction, &QAction::triggered, this, &ColorSwatchListWidget::clearCurrentTab);
    connect(ui->removeTabAction, &QAction::triggered, this,
            &ColorSwatchListWidget::removeCurrentTab);

    QVector<ColorList> lists;
    const ColorListStore::Reading reading = store.load(lists);
    // A first run starts with a few colors to click, and with the file that keeps them.
    addLists(reading == ColorListStore::Reading::Missing ? ColorListStore::defaultLists() : lists);
    store.markShown(colorLists());
    if (reading == ColorListStore::Reading::Missing) {
        saveColorLists();
    }
    showFileState();
    // An index outside the tabs is ignored and leaves "History" open.
    ui->tabWidget->setCurrentIndex(currentTab);
    ColorListStore::giveWaitingHistory(*this);
}

ColorSwatchListWidget::~ColorSwatchListWidget()
{
    storeCurrentTab();
    if (!saveColorLists() && !waiting.empty()) {
        HostAccess::DebugText(QStringLiteral("ColorDorvo: the color list file %1 %2; %3 changes "
                                             "to the swatches were not saved\n")
                                  .arg(QDir::toNativeSeparators(ColorListPath()), store.problem())
                                  .arg(waiting.size()));
    }
}

bool ColorSwatchListWidget::close()
{
    storeCurrentTab();
    saveColorLists();
    return QWidget::close();
}

void ColorSwatchListWidget::addSwatch(const QColor& color, QGridLayout* grid, const QString& name)
{
    const int count = grid->count();
    if (count >= MaxSwatches) {
        return;
    }
    auto* button = new ColorSwatchButton(color, SwatchSize, SwatchSize, name);
    connect(button, &MultiClickPushButton::leftClicked, this, [this, color] { pick(color); });
    const bool removable = grid != ui->historyGrid;
    if (removable) {
        connect(button, &MultiClickPushButton::rightClicked, this,
                [this, button, grid] { removeSwatch(button, grid); });
    }
    new ColorCopyMenu(
        button, [button] { return button->color(); },
        removable ? ColorCopyMenu::RightClick::KeptByWidget : ColorCopyMenu::RightClick::OpensMenu);
    grid->addWidget(button, count / columnCount, count % columnCount, 1, 1);
}

void ColorSwatchListWidget::addCurrentColor()
{
    if (!dialog) {
        return;
    }
    const QColor color = dialog->GetCurrentQColor();
    const QString title = ui->tabWidget->tabText(ui->tabWidget->currentIndex());
    change([this, color, title] {
        QGridLayout* grid = gridOfTitle(title);
        const int count = grid->count();
        addSwatch(color, grid, QString());
        return grid->count() > count;
    });
}

void ColorSwatchListWidget::openCustomColorList()
{
    const QStringList paths = QFileDialog::getOpenFileNames(
        this, tr("Open Custom Color List"), startFolder(), tr("Json Files (*.json)"));
    importFiles(paths, tr("Open Custom Color List"));
}

void ColorSwatchListWidget::importPalettes()
{
    const QStringList paths = QFileDialog::getOpenFileNames(
        this, tr("Import Palette"), startFolder(),
        tr("Palettes (*.gpl *.ase *.aco *.json);;GIMP Palettes (*.gpl);;Adobe Swatch Exchange "
           "(*.ase);;Photoshop Swatches (*.aco);;Json Files (*.json);;All Files (*)"));
    importFiles(paths, tr("Import Palette"));
}

void ColorSwatchListWidget::importFiles(const QStringList& paths, const QString& caption)
{
    for (const QString& path : paths) {
        rememberFolder(path);
        QString reason;
        if (!loadColorList(path, reason)) {
            refuse(caption, tr("%1 was not added: %2").arg(QFileInfo(path).fileName(), reason));
        }
    }
}

bool ColorSwatchListWidget::loadColorList(const QString& path, QString& reason)
{
    QVector<ColorList> lists;
    if (!readPaletteFile(path, lists, reason)) {
        return false;
    }
    // The tabs counted are those the lists would open beside the tabs as the main file has them
    // now, so that file is taken in first.
    takeInFileChanges();
    if (!importFits(colorLists(), lists, reason)) {
        return false;
    }
    change([this, lists] {
        addLists(lists);
        return true;
    });
    return true;
}

bool ColorSwatchListWidget::saveColorLists()
{
    ColorListStore::Lock lock(store);
    if (lock.held() && !waiting.empty()) {
        takeInFileChanges();
    }
    const bool written = lock.held() && store.save(colorLists());
    if (written) {
        waiting.clear();
    }
    showFileState();
    return written;
}

bool ColorSwatchListWidget::change(const Edit& edit)
{
    ColorListStore::Lock lock(store);
    if (lock.held()) {
        takeInFileChanges();
    }
    const bool changed = edit();
    if (changed) {
        waiting.push_back(edit);
    }
    if (lock.held() && !waiting.empty() && store.save(colorLists())) {
        waiting.clear();
    }
    showFileState();
    return changed;
}

void ColorSwatchListWidget::showFileState()
{
    const QString problem = store.problem();
    ui->fileStateLbl->setText(
        problem.isEmpty() ? QString()
                          : tr("The color list file %1; changes wait here until it can be written.")
                                .arg(problem));
    ui->fileStateLbl->setToolTip(QDir::toNativeSeparators(ColorListPath()));
    ui->fileStateLbl->setVisible(!problem.isEmpty());
}

void ColorSwatchListWidget::removeSwatch(ColorSwatchButton* button, QGridLayout* buttonGrid)
{
    const int tab = [&] {
        for (int i = 0; i < ui->tabWidget->count(); ++i) {
            if (gridOf(i) == buttonGrid) {
                return i;
            }
        }
        return -1;
    }();
    if (tab < 0) {
        return;
    }
    const QString title = ui->tabWidget->tabText(tab);
    const int index = buttonGrid->indexOf(button);
    const QColor color = button->color();
    const QString name = button->name();

    // When the tabs were rebuilt from the file, the same swatch is looked for again: at its place
    // if it is still there, else the first one alike in its tab.
    change([this, title, index, color, name] {
        QGridLayout* grid = gridOf(tabOfTitle(title));
        if (!grid) {
            return false;
        }
        // Alike as the file holds it: a swatch read back from the file has lost its alpha.
        auto sameSwatch = [&](int i) {
            auto* candidate = qobject_cast<ColorSwatchButton*>(grid->itemAt(i)->widget());
            return candidate && candidate->color().rgb() == color.rgb() && candidate->name() == name
                       ? candidate
                       : nullptr;
        };
        ColorSwatchButton* target =
            index >= 0 && index < grid->count() ? sameSwatch(index) : nullptr;
        for (int i = 0; !target && i < grid->count(); ++i) {
            target = sameSwatch(i);
        }
        // Searched from the last item, as the grid holds each button once.
        for (int i = grid->count() - 1; target && i >= 0; --i) {
            if (grid->itemAt(i)->widget() == target) {
                std::unique_ptr<QLayoutItem> item(grid->takeAt(i));
                target->hide();
                // The right press that asked for the removal is still being handled by the
                // button.
                target->deleteLater();
                closeGap(grid);
                return true;
            }
        }
        return false;
    });
}

void ColorSwatchListWidget::closeGap(QGridLayout* grid)
{
    // Every cell in reading order; each swatch met after an empty cell moves back one place, from
    // the first column of a row to the last column of the row above.
    const int rows = grid->rowCount();
    const int columns = grid->columnCount();
    int empty = 0;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            QLayoutItem* item = grid->itemAtPosition(row, column);
            if (!item) {
                ++empty;
                continue;
            }
            if (empty < 1) {
                continue;
            }
            QLayoutItem* taken = grid->takeAt(grid->indexOf(item->widget()));
            if (column == 0 && row > 0) {
                grid->addItem(taken, row - 1, columns - 1, 1, 1);
            } else {
                grid->addItem(taken, row, column - empty, 1, 1);
            }
        }
    }
}

QGridLayout* ColorSwatchListWidget::gridOf(int index) const
{
    QWidget* page = ui->tabWidget->widget(index);
    return page ? page->findChild<QGridLayout*>() : nullptr;
}

QVector<ColorList> ColorSwatchListWidget::colorLists() const
{
    QVector<ColorList> lists;
    for (int i = 0; i < ui->tabWidget->count(); ++i) {
        ColorList list;
        list.name = ui->tabWidget->tabText(i);
        if (QGridLayout* grid = gridOf(i)) {
            for (int item = 0; item < grid->count(); ++item) {
                if (auto* swatch = qobject_cast<ColorSwatchButton*>(grid->itemAt(item)->widget())) {
                    list.swatches.append({swatch->color(), swatch->name()});
                }
            }
        }
        lists.append(list);
    }
    return lists;
}

void ColorSwatchListWidget::takeInFileChanges()
{
    QVector<ColorList> lists;
    if (store.reloadIfChanged(lists)) {
        replaceTabs(lists);
        store.markShown(colorLists());
        for (const Edit& edit : waiting) {
            edit();
        }
    }
}

void ColorSwatchListWidget::replaceTabs(const QVector<ColorList>& lists)
{
    const QString openTitle = ui->tabWidget->tabText(ui->tabWidget->currentIndex());
    clearGrid(ui->favoritesGrid);
    clearGrid(ui->historyGrid);
    while (ui->tabWidget->count() > HistoryTab + 1) {
        QWidget* page = ui->tabWidget->widget(ui->tabWidget->count() - 1);
        ui->tabWidget->removeTab(ui->tabWidget->count() - 1);
        // A swatch on the page may be the one whose click led here.
        page->deleteLater();
    }
    addLists(lists);
    const int open = tabOfTitle(openTitle);
    ui->tabWidget->setCurrentIndex(open >= 0 ? open : HistoryTab);
}

void ColorSwatchListWidget::clearGrid(QGridLayout* grid)
{
    while (grid->count() > 0) {
        std::unique_ptr<QLayoutItem> item(grid->takeAt(grid->count() - 1));
        if (QWidget* swatch = item->widget()) {
            swatch->hide();
            swatch->deleteLater();
        }
    }
}

void ColorSwatchListWidget::addLists(const QVector<ColorList>& lists)
{
    for (const ColorList& list : lists) {
        int part = 1;
        QGridLayout* grid = gridOfTitle(list.name);
        for (const ColorList::Swatch& swatch : list.swatches) {
            while (grid->count() >= MaxSwatches) {
                grid = gridOfTitle(partTitle(list.name, ++part));
            }
            QColor opaque = swatch.color;
            opaque.setAlpha(255);
            addSwatch(opaque, grid, swatch.name);
        }
    }
}

int ColorSwatchListWidget::tabOfTitle(const QString& title) const
{
    for (int i = 0; i < ui->tabWidget->count(); ++i) {
        if (ui->tabWidget->tabText(i) == title) {
            return i;
        }
    }
    return -1;
}

QGridLayout* ColorSwatchListWidget::gridOfTitle(const QString& title)
{
    const int tab = tabOfTitle(title);
    if (tab >= 0) {
        return gridOf(tab);
    }
    auto* page = new QWidget;
    auto* pageLayout = new QVBoxLayout(page);
    auto* grid = new QGridLayout;
    pageLayout->addLayout(grid);
    pageLayout->addItem(new QSpacerItem(10, 10, QSizePolicy::Minimum, QSizePolicy::Expanding));
    ui->tabWidget->addTab(page, title);
    return grid;
}

void ColorSwatchListWidget::pick(const QColor& color)
{
    if (dialog) {
        dialog->ViewColorChanged(ColorValue(color), true);
    }
}

bool ColorSwatchListWidget::changeHistory(const HistoryEdit& edit)
{
    return change([this, edit] {
        QVector<ColorList::Swatch> history = colorLists()[HistoryTab].swatches;
        if (!edit(history)) {
            return false;
        }
        clearGrid(ui->historyGrid);
        for (const ColorList::Swatch& swatch : history) {
            addSwatch(swatch.color, ui->historyGrid, swatch.name);
        }
        return true;
    });
}

void ColorSwatchListWidget::updateMenu()
{
    ui->rememberColorsAction->setChecked(ColorListStore::remembersColors());
    const int open = ui->tabWidget->currentIndex();
    const bool custom = open > HistoryTab;
    ui->renameTabAction->setEnabled(custom);
    ui->removeTabAction->setEnabled(custom);
    QGridLayout* grid = gridOf(open);
    ui->clearTabAction->setEnabled(grid && grid->count() > 0);
}

void ColorSwatchListWidget::exportCurrentTab()
{
    const int open = ui->tabWidget->currentIndex();
    const QVector<ColorList> lists = colorLists();
    if (open < 0 || open >= lists.size()) {
        return;
    }
    const ColorList& list = lists[open];
    // The save dialog's filters, each naming its format; the first is chosen to begin with.
    const std::pair<QString, PaletteFormat> filters[] = {
        {tr("GIMP Palette (*.gpl)"), PaletteFormat::GimpPalette},
        {tr("Adobe Swatch Exchange (*.ase)"), PaletteFormat::AdobeSwatchExchange},
        {tr("Json Files (*.json)"), PaletteFormat::ColorListJson}};
    QStringList filterTexts;
    for (const auto& [text, format] : filters) {
        filterTexts << text;
    }
    QString filter = filterTexts.first();
    QString fileName = list.name.isEmpty() ? tr("Swatches") : list.name;
    fileName.replace(QRegularExpression(QStringLiteral(R"([/\\:*?"<>|])")), QStringLiteral("_"));
    QString path =
        QFileDialog::getSaveFileName(this, tr("Export Tab"),
                                     startFolder() + QLatin1Char('/') + fileName +
                                         QLatin1Char('.') + paletteSuffix(filters[0].second),
                                     filterTexts.join(QStringLiteral(";;")), &filter);
    if (path.isEmpty()) {
        return;
    }
    // A name without one of the formats' suffixes takes the chosen filter's.
    PaletteFormat format = filters[0].second;
    if (!paletteFormatOf(path, format)) {
        for (const auto& [text, filterFormat] : filters) {
            if (text == filter) {
                format = filterFormat;
            }
        }
        path += QLatin1Char('.') + paletteSuffix(format);
    }
    const QByteArray text = paletteData(list, format);
    QString error;
    if (!WriteFileAtomically(path, text, &error)) {
        refuse(tr("Export Tab"),
               tr("%1 was not written: %2").arg(QFileInfo(path).fileName(), error));
    }
}

void ColorSwatchListWidget::renameCurrentTab()
{
    const int open = ui->tabWidget->currentIndex();
    if (open <= HistoryTab) {
        return;
    }
    const QString title = ui->tabWidget->tabText(open);
    bool ok = false;
    const QString newTitle =
        QInputDialog::getText(this, tr("Rename Tab"), tr("Name:"), QLineEdit::Normal, title, &ok)
            .trimmed();
    if (!ok || newTitle == title) {
        return;
    }
    if (newTitle.isEmpty()) {
        refuse(tr("Rename Tab"), tr("A tab needs a name."));
        return;
    }
    const bool renamed = change([this, title, newTitle] {
        const int tab = tabOfTitle(title);
        if (tab <= HistoryTab || tabOfTitle(newTitle) >= 0) {
            return false;
        }
        ui->tabWidget->setTabText(tab, newTitle);
        return true;
    });
    if (!renamed && tabOfTitle(newTitle) >= 0) {
        refuse(tr("Rename Tab"), tr("There is already a tab named \"%1\".").arg(newTitle));
    }
}

void ColorSwatchListWidget::clearCurrentTab()
{
    const QString title = ui->tabWidget->tabText(ui->tabWidget->currentIndex());
    if (!confirm(tr("Clear Tab"), tr("Remove every swatch of \"%1\"?").arg(title))) {
        return;
    }
    change([this, title] {
        QGridLayout* grid = gridOf(tabOfTitle(title));
        if (!grid || grid->count() == 0) {
            return false;
        }
        clearGrid(grid);
        return true;
    });
}

void ColorSwatchListWidget::removeCurrentTab()
{
    const int open = ui->tabWidget->currentIndex();
    if (open <= HistoryTab) {
        return;
    }
    const QString title = ui->tabWidget->tabText(open);
    if (!confirm(tr("Remove Tab"), tr("Remove the tab \"%1\" and its swatches?").arg(title))) {
        return;
    }
    change([this, title] {
        const int tab = tabOfTitle(title);
        if (tab <= HistoryTab) {
            return false;
        }
        QWidget* page = ui->tabWidget->widget(tab);
        ui->tabWidget->removeTab(tab);
        page->deleteLater();
        return true;
    });
}

QString ColorSwatchListWidget::startFolder() const
{
    QVariant folder{QString()};
    ReadSetting(kSettingsGroup, kListFolderKey, folder);
    const QString path = folder.toString();
    return !path.isEmpty() && QDir(path).exists() ? path : QDir::homePath();
}

void ColorSwatchListWidget::rememberFolder(const QString& path)
{
    WriteSetting(kSettingsGroup, kListFolderKey, QFileInfo(path).absolutePath());
}

void ColorSwatchListWidget::storeCurrentTab()
{
    WriteSetting(kSettingsGroup, kCurrentTabKey, ui->tabWidget->currentIndex());
}

bool ColorSwatchListWidget::confirm(const QString& caption, const QString& question)
{
    return QMessageBox::question(this, caption, question, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

void ColorSwatchListWidget::refuse(const QString& caption, const QString& reason)
{
    QMessageBox::warning(this, caption, reason);
}
