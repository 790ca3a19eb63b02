// The core's messages as modal message boxes.
#pragma once

#include <QWidget>

#include "model/prompts.h"

namespace ormevak {

class QtPrompts : public Prompts {
  public:
    explicit QtPrompts(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }
    void inform(const std::string& text, const std::string& title = {},
                MessageIcon icon = MessageIcon::None) override;
    bool confirm(const std::string& text, const std::string& title) override;

  private:
    QWidget* parent_;
};

} // namespace ormevak
