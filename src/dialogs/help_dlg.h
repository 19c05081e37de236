#pragma once

#include <QDialog>
#include <string>

namespace vx {

// "Veltranix - Kurzanleitung": the help's Markdown, read-only, with links to the web opened in
// the desktop's browser. Ctrl+C copies it as text.
class CHelpDlg : public QDialog {
    Q_OBJECT

  public:
    CHelpDlg(const std::string& markdown, QWidget* parent);
};

}  // namespace vx
