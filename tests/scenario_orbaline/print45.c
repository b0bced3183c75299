/* A call tree of 45 chart rows: main calls f02 to f38, and every fifth
   of them calls a leaf of its own. */
void g05(void) {}
void g10(void) {}
void g15(void) {}
void g20(void) {}
void g25(void) {}
void g30(void) {}
void g35(void) {}
void f02(void) {}
void f03(void) {}
void f04(void) {}
void f05(void) { g05(); }
void f06(void) {}
void f07(void) {}
void f08(void) {}
void f09(void) {}
void f10(void) { g10(); }
void f11(void) {}
void f12(void) {}
void f13(void) {}
void f14(void) {}
void f15(void) { g15(); }
void f16(void) {}
void f17(void) {}
void f18(void) {}
void f19(void) {}
void f20(void) { g20(); }
void f21(void) {}
void f22(void) {}
void f23(void) {}
void f24(void) {}
void f25(void) { g25(); }
void f26(void) {}
void f27(void) {}
void f28(void) {}
void f29(void) {}
void f30(void) { g30(); }
void f31(void) {}
void f32(void) {}
void f33(void) {}
void f34(void) {}
void f35(void) { g35(); }
void f36(void) {}
void f37(void) {}
void f38(void) {}
int main(void)
{
    f02();
    f03();
    f04();
    f05();
    f06();
    f07();
    f08();
    f09();
    f10();
    f11();
    f12();
    f13();
    f14();
    f15();
    f16();
    f17();
    f18();
    f19();
    f20();
    f21();
    f22();
    f23();
    f24();
    f25();
    f26();
    f27();
    f28();
    f29();
    f30();
    f31();
    f32();
    f33();
    f34();
    f35();
    f36();
    f37();
    f38();
    return 0;
}
