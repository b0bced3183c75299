/* ƒA */
char *s = "ƒAƒA";
int A = 1;
int x;
return A;
