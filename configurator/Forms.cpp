#include "configurator/Forms.h"

#include "configurator/TForm1.h"
#include "configurator/TForm2.h"
#include "configurator/TForm4.h"
#include "configurator/TForm5.h"

namespace lumora {

TForm1* Form1 = nullptr;
TForm4* Form4 = nullptr;
TForm5* Form5 = nullptr;
TForm2* Form2 = nullptr;

ProgramWindows::ProgramWindows() {
    form1_ = std::make_unique<TForm1>();
    Form1 = form1_.get();
    form4_ = std::make_unique<TForm4>();
    Form4 = form4_.get();
    form5_ = std::make_unique<TForm5>();
    Form5 = form5_.get();
    form2_ = std::make_unique<TForm2>();
    Form2 = form2_.get();
}

ProgramWindows::~ProgramWindows() {
    Form2 = nullptr;
    Form5 = nullptr;
    Form4 = nullptr;
    Form1 = nullptr;
}

}  // namespace lumora
