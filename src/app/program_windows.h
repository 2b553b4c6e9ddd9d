#pragma once
// The windows of the program in the order they are created: the main window first,
// then the tool windows, created hidden, which its menu shows.

#include "app/tform1.h"
#include "audio/tform7.h"
#include "bootimage/tform2.h"
#include "builder/tform8.h"
#include "combine/tform5.h"
#include "cursor/tform3.h"
#include "font/tform4.h"
#include "picture/tform6.h"
#include "viewer/tform9.h"

struct ProgramWindows {
  TForm1 form1;
  TForm2 form2;
  TForm3 form3;
  TForm4 form4;
  TForm5 form5;
  TForm6 form6;
  TForm7 form7;
  TForm8 form8;
  TForm9 form9;

  ProgramWindows() {
    form1.SetToolWindows({&form2, &form3, &form4, &form5, &form6, &form7, &form8, &form9});
  }
};
