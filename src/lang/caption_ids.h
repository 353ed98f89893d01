#pragma once

#include <span>
#include <string_view>

namespace liftvox {

// Whether a caption id sets the visible text of its control or its tooltip.
enum class CaptionProperty { Caption, Hint };

// One id of the caption section "[TRANSLATIONS]" of a language file. Ids 1 to
// 86 belong to the main window; every dialog owns a hundred, whose round
// number is its window title. `czech` is the control's built-in text, shown
// until a language file replaces it; `control` says in plain English which
// control (and, for the main window's commands, which action) it belongs to.
struct CaptionId {
  int id;
  CaptionProperty property;
  std::string_view czech;
  std::string_view control;
};

// Every assigned caption id, in ascending order.
std::span<const CaptionId> CaptionIds();

// The entry of `id`, or nullptr for an unassigned number.
const CaptionId* FindCaptionId(int id);

}  // namespace liftvox
