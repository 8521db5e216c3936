#pragma once
// Tspylist, "Quintrel - Spys": the spectators of the table, one entry per slot above 4 as
// "slot: name". It stays on top of the table. On the host's table its popup item "Remove From
// Game" asks to remove the spectator whose entry the pointer was over.

#include <QDialog>

#include <string>
#include <vector>

class QAction;
class QImage;
class QListWidget;
class QMenu;

namespace quintrel::chat {

class Tspylist : public QDialog {
    Q_OBJECT
public:
    explicit Tspylist(QWidget* parent = nullptr);

    // The table's tiled picture behind the list.
    void setBackground(const QImage& tile);
    // The session's spectator entries; Latin-1 like everything from the wire.
    void setEntries(const std::vector<std::string>& entries);
    // Only the hosting player's table may remove anybody.
    void setHost(bool host);

    // The entry under the pointer at its last move over the list (the list's tag), -1 for none.
    int hoveredEntry() const { return tag_; }

signals:
    void removeRequested(int slot);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void listbox_spysMouseMove(const QPoint& at);
    void popup_kickhimClick();

    QListWidget* listbox_spys_ = nullptr;
    QMenu* popup_ = nullptr;
    QAction* popup_kickhim_ = nullptr;
    std::vector<std::string> entries_;
    int tag_ = -1;
};

}  // namespace quintrel::chat
