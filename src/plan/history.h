// The edit history of the plan, the groups, the offsets and the schedule: undo and redo of whole
// user edits. An entry keeps the editable part of the model as it stood before the edit; the
// analysis tables, the grids and the reactions never change after the load and are not kept.
#pragma once

#include <cstddef>
#include <deque>
#include <string>

#include "model/project.h"

namespace ormevak {

// The editable part of a project: everything but the analysis tables and the grids built from
// them. Taking it copies only that part.
class ModelSnapshot {
  public:
    ModelSnapshot() = default;
    static ModelSnapshot take(Project& p);
    // Puts the kept part back; the analysis tables of `p` stay as they are.
    void restore(Project& p) const;
    // Bytes held, strings and vectors included (an estimate of their heap use).
    size_t bytes() const;
    // Whether two snapshots hold the same editable model.
    bool sameAs(const ModelSnapshot& other) const;

  private:
    Project part_;
};

// The names of the edits, as the Edit menu shows them after "Undo " and "Redo ".
namespace edit_name {
std::string resize(const Project& p, int footing);       // "resize of footing 12"
std::string shiftDelete(const Project& p, int footing);  // return to group, or combined deletion
std::string nudge(const Project& p, int group);          // "nudge of group F3"
std::string toggle(const Project& p, int group);         // "switching off group F3"
std::string disablePress(const Project& p, int footing); // "disabling of footing 12"
std::string combine();                                   // "Combine"
std::string offset(const Project& p, int footing);       // "offset of footing 12"
std::string offsetsReset();                              // "reset of the column offsets"
std::string refresh();                                   // "Refresh"
std::string design();                                    // "Design"
std::string depth(const Project& p, int row);            // "depth of row F1"
std::string pedestal(const Project& p, int row);         // "pedestal of row F1"
std::string diameter(const Project& p, int row);         // "bar diameter of row F1"
} // namespace edit_name

class EditHistory {
  public:
    // At least this many edits are kept whatever their size; beyond it the oldest go once the
    // entries hold more than the byte budget.
    static constexpr size_t kMinimumEdits = 200;
    static constexpr size_t kByteBudget = 48u * 1024u * 1024u;

    // Before an edit: the model as it stands, under the edit's name.
    void begin(Project& p, std::string name);
    // After it: kept when the model changed, dropped when it did not (a refused step, a
    // cancelled question). Returns whether an entry was kept. A new entry clears the redo list.
    bool commit(Project& p);
    // Drops a begun edit without looking at the model.
    void cancel();

    // Undo and redo of one whole edit; false when there is nothing to undo or redo.
    bool undo(Project& p);
    bool redo(Project& p);

    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    // The name of the edit the next undo or redo acts on; empty when there is none.
    std::string undoName() const { return undo_.empty() ? std::string() : undo_.back().name; }
    std::string redoName() const { return redo_.empty() ? std::string() : redo_.back().name; }
    size_t undoCount() const { return undo_.size(); }
    size_t redoCount() const { return redo_.size(); }
    size_t bytes() const { return bytes_; }
    void clear();

  private:
    struct Entry {
        std::string name;
        ModelSnapshot model;
        size_t bytes = 0;
    };
    void trim();
    // One undo (from the undo list to the redo list) or one redo (the other way).
    bool step(std::deque<Entry>& from, std::deque<Entry>& to, Project& p);

    std::deque<Entry> undo_, redo_;
    Entry pending_;
    bool open_ = false;
    size_t bytes_ = 0;
};

// Runs one edit between begin and commit: `edit` is called with no arguments.
template <typename Edit>
bool recordEdit(EditHistory& history, Project& p, std::string name, Edit&& edit) {
    history.begin(p, std::move(name));
    try {
        edit();
    } catch (...) {
        history.commit(p); // what changed before the failure can still be undone
        throw;
    }
    return history.commit(p);
}

} // namespace ormevak
