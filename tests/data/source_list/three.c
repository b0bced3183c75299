int a;
a	b
}
