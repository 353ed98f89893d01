#pragma once

#include <functional>
#include <string>

namespace liftvox {

// How a long job (an image build, a preview, a conversion) tells how far it
// got and learns that it should stop: it calls the function now and then with
// a short text and the fraction done (0..1), and ends as soon as it can, with
// nothing half-written, when the function returns false. An empty function
// means nobody watches. A job on a worker thread calls it on that thread.
using JobProgress = std::function<bool(const std::string& text, float fraction)>;

// Calls `progress` when there is one; true (go on) when there is none.
inline bool ReportProgress(const JobProgress& progress, const std::string& text, float fraction) {
  return !progress || progress(text, fraction);
}

}  // namespace liftvox
