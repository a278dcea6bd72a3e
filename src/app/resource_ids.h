// Resource and control ids of Tarvello.exe, shared by tarvello.rc and the C++ code.
#pragma once

#define IDI_TARVELLO 101

#define IDC_LABEL1 1001
#define IDC_BEARING 1002
#define IDC_LABEL2 1003
#define IDC_TEXT1 1004
#define IDC_COMMAND2 1005
#define IDC_FRAME2 1006
#define IDC_LABEL8 1007
#define IDC_LABEL9 1008
#define IDC_FRAME1 1009
#define IDC_LABEL3 1010
#define IDC_LABEL4 1011
#define IDC_LABEL5 1012
#define IDC_LABEL6 1013
#define IDC_LABEL7 1014
#define IDC_TEXT2 1015
#define IDC_CURRENTBEARING 1016
#define IDC_SELECTBEARINGCMD 1017
#define IDC_LPCMD 1018
#define IDC_COMMAND1 1019
