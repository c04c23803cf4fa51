#pragma once

// Shows the hourglass pointer while it lives (nothing without a GUI application).
class BusyCursor {
  public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

  private:
    bool shown_ = false;
};
