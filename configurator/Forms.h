#pragma once

#include <memory>

namespace lumora {

class TForm1;
class TForm2;
class TForm4;
class TForm5;

// The program's four windows, one of each, reachable from every handler.
extern TForm1* Form1;
extern TForm4* Form4;
extern TForm5* Form5;
extern TForm2* Form2;

// Creates the windows in their order (the main window's start-up runs first, while it is
// created), all hidden; the references name them while this lives.
class ProgramWindows {
public:
    ProgramWindows();
    ~ProgramWindows();
    ProgramWindows(const ProgramWindows&) = delete;
    ProgramWindows& operator=(const ProgramWindows&) = delete;

private:
    std::unique_ptr<TForm1> form1_;
    std::unique_ptr<TForm4> form4_;
    std::unique_ptr<TForm5> form5_;
    std::unique_ptr<TForm2> form2_;
};

}  // namespace lumora
