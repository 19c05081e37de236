#pragma once

#include <functional>
#include <optional>
#include <string>

#include "analysis/plan/order_plan.h"
#include "app/design_runner.h"
#include "model/filter.h"
#include "qt/message_box.h"
#include "session/design_session.h"

class QWidget;

namespace vx {

class CDesignSession;

// The commands that change the document, each in one function: specify (new or change), load,
// save, change capacitors, and the question before closing. Every design runs through the
// runner; `refresh` redraws the window (title, plot) after each step the user must see.
class CFlows {
  public:
    CFlows(QWidget* window, CDesignSession& session, CDesignRunner& runner,
           CapacitorPrompt& windowPrompt, std::function<void()> refresh);

    // Unattended (a screenshot run): messages go to standard error instead of boxes.
    void SetUnattended(bool unattended) { unattended_ = unattended; }
    // Called before a specify, load or capacitor flow changes the document: the result
    // windows close, so that none shows a design that is gone.
    void SetBeforeChange(std::function<void()> hook) { beforeChange_ = std::move(hook); }
    // The designer text a saved specification names.
    void SetDesigner(std::function<std::string()> designer) { designer_ = std::move(designer); }
    // Told a line for the status bar after a design, a load and a save.
    void SetStatus(std::function<void(const std::string&)> status) { status_ = std::move(status); }
    // Told the path of every specification file loaded or saved.
    void SetFileUsed(std::function<void(const std::string&)> used) { fileUsed_ = std::move(used); }

    // The input dialog for the type and structure; OK designs, cancel restores what was there.
    // Returns whether a design ran.
    bool Specify(FilterType type, StructureKind structure, bool isNew);
    // A new filter of the scheme's type in `structure`, its input dialog filled with the plan's
    // row; the record keeps the scheme. Returns whether a design ran.
    bool SpecifyPlanned(const ToleranceScheme& scheme, const PlanRow& row, StructureKind structure);
    // Loads and designs a specification file; false when it could not be loaded.
    bool Load(const std::string& path);
    // Load after the question whether to save an unsaved design first; false when the user
    // cancelled or the file could not be loaded.
    bool Open(const std::string& path);
    // The question, then the open dialog, then Load.
    bool LoadWithDialog();
    // Saves the specification as NAME.vxs in the chosen folder; false when it failed.
    bool Save(const std::string& path);
    // The save dialog, then Save; false when cancelled or failed.
    bool SaveWithDialog();
    // The capacitors of every stage; a change designs again. Returns whether a design ran.
    bool ChangeCapacitors();
    // Whether the window may close: with an unsaved design the user is asked, and a cancelled
    // or failed save keeps it open.
    bool MayClose();

  private:
    // With an unsaved design, asks `question`: yes saves (and a cancelled or failed save keeps
    // the design), no discards it.
    bool MayDiscard(const UserMessage& question);
    void Status(const std::string& line) const;
    // Specify with `plan` filling the record before the input dialog opens.
    bool SpecifyWith(FilterType type, StructureKind structure, bool isNew,
                     const std::function<void(CFilter&)>& plan);
    bool RunInputDialog(FilterType type, StructureKind structure, bool& curvesTouched);
    // Runs `job` and returns its time in seconds.
    double RunDesign(const CDesignRunner::Job& job);
    void BeforeChange() const;
    // Designs the current specification; one that no circuit realises is told why. A run that
    // is cancelled or fails brings back the design `kept` before it.
    void DesignCurrent(const std::optional<DesignSnapshot>& kept);
    void Tell(const UserMessage& message, MessageIcon icon = MessageIcon::STOP) const;
    std::string ProposedPath() const;

    QWidget* window_;
    CDesignSession& session_;
    CDesignRunner& runner_;
    CapacitorPrompt& windowPrompt_;
    std::function<void()> refresh_;
    std::function<void()> beforeChange_;
    std::function<std::string()> designer_;
    std::function<void(const std::string&)> status_;
    std::function<void(const std::string&)> fileUsed_;
    bool unattended_ = false;
};

}  // namespace vx
