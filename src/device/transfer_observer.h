#pragma once

#include <string>

#include "model/prompter.h"

namespace liftvox {

// What a long device job (programming, read-back, firmware upload) tells the
// person watching it, and how it learns of a stop request. The GUI's dialogs
// and the command line are two implementations. Every method is called on
// the worker thread that runs the job, so an implementation must hand
// display work to its own thread; AskYesNo blocks the worker until answered.
class TransferObserver {
 public:
  virtual ~TransferObserver() = default;

  // The port the job uses ("Detekce...", "COM3", ...).
  virtual void PortChanged(const std::string& label) = 0;
  // Percent 0..100 and the text ("2560B / 768000B", "Hotovo", or empty).
  virtual void ProgressChanged(int percent, const std::string& text) = 0;
  // Failed transfer attempts so far in this run.
  virtual void ErrorCountChanged(int count) = 0;
  virtual void Warn(const Message& message) = 0;
  virtual Answer AskYesNo(const Message& message) = 0;
  // Polled between pages or bytes; the job ends after the current one.
  virtual bool StopRequested() = 0;
};

// Ignores everything, answers No and never stops: for jobs nobody watches.
class NullTransferObserver final : public TransferObserver {
 public:
  void PortChanged(const std::string&) override {}
  void ProgressChanged(int, const std::string&) override {}
  void ErrorCountChanged(int) override {}
  void Warn(const Message&) override {}
  Answer AskYesNo(const Message&) override { return Answer::No; }
  bool StopRequested() override { return false; }
};

}  // namespace liftvox
