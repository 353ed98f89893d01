#pragma once

#include <QString>

#include <functional>

namespace liftvox {

class TPametRevazie;

// How widgets change the configuration. Each change runs through Edit and
// becomes one undo step named for the user ("Delete sequence"); a change that
// leaves the configuration as it was adds no step. Selection moves are not
// changes: widgets call the document's selection operations directly.
class DocumentEditor {
 public:
  virtual ~DocumentEditor() = default;

  virtual TPametRevazie& Document() = 0;
  virtual void Edit(const QString& stepName, const std::function<void()>& change) = 0;
};

}  // namespace liftvox
