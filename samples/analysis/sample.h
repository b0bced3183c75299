/* sample.h: declarations that must not come out as units of sample.c */
int helper_in_header(int x);
