#pragma once
// Tabout, "Quintrel - About": the game's name, its version and the link to its web site.

#include "extras/qt/turl.h"

#include <QDialog>

class QLabel;

namespace quintrel {

class Tabout : public QDialog {
    Q_OBJECT
public:
    explicit Tabout(QWidget* parent = nullptr);

    // URL1: the web site, as the table's game label opens it too.
    const TURL& URL1() const { return url1_; }
    // Label7Click: opens the web site; true when the desktop took it.
    bool openWebSite() const { return url1_.open(); }

private:
    TURL url1_;
};

}  // namespace quintrel
