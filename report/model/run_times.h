// Where a run of kestrel-report spends its time: the seconds of each phase, summed over the run,
// for the closing progress line.
#pragma once

#include <chrono>

struct RunTimes {
  double rendering = 0.0;  // drawing the measured panels, until the driver has finished
  double read_back = 0.0;  // reading the measured panels back
  double analysis = 0.0;   // decoding the levels and comparing them with the ideal ones, and
                           // the driver's pictures with the ideal filter's
  double reference = 0.0;  // computing the ideal filter's pictures
  double cost = 0.0;       // the repeated draws of the cost measurement
  double pictures = 0.0;   // the window's capture and the false-colour figures
  double writing = 0.0;    // composing and writing the text files and the chart
};

// Adds the time from its construction to its destruction to one phase of `times`.
class PhaseTimer {
 public:
  PhaseTimer(RunTimes& times, double RunTimes::*phase)
      : times_(times), phase_(phase), start_(std::chrono::steady_clock::now()) {}
  ~PhaseTimer() {
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start_;
    times_.*phase_ += elapsed.count();
  }
  PhaseTimer(const PhaseTimer&) = delete;
  PhaseTimer& operator=(const PhaseTimer&) = delete;

 private:
  RunTimes& times_;
  double RunTimes::*phase_;
  std::chrono::steady_clock::time_point start_;
};
