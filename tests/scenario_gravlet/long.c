/* NAME : long */
int counter;

/* FUNCTION : counts on and cuts back */
int long_one(void)
{
    if (counter > 0) {    /* above 0 */
        counter = 0;    /* back to 0 */
    }
    if (counter > 1) {    /* above 1 */
        counter = 1;    /* back to 1 */
    }
    if (counter > 2) {    /* above 2 */
        counter = 2;    /* back to 2 */
    }
    if (counter > 3) {    /* above 3 */
        counter = 3;    /* back to 3 */
    }
    if (counter > 4) {    /* above 4 */
        counter = 4;    /* back to 4 */
    }
    if (counter > 5) {    /* above 5 */
        counter = 5;    /* back to 5 */
    }
    if (counter > 6) {    /* above 6 */
        counter = 6;    /* back to 6 */
    }
    if (counter > 7) {    /* above 7 */
        counter = 7;    /* back to 7 */
    }
    if (counter > 8) {    /* above 8 */
        counter = 8;    /* back to 8 */
    }
    if (counter > 9) {    /* above 9 */
        counter = 9;    /* back to 9 */
    }
    if (counter > 10) {    /* above 10 */
        counter = 10;    /* back to 10 */
    }
    if (counter > 11) {    /* above 11 */
        counter = 11;    /* back to 11 */
    }
    if (counter > 12) {    /* above 12 */
        counter = 12;    /* back to 12 */
    }
    if (counter > 13) {    /* above 13 */
        counter = 13;    /* back to 13 */
    }
    if (counter > 14) {    /* above 14 */
        counter = 14;    /* back to 14 */
    }
    if (counter > 15) {    /* above 15 */
        counter = 15;    /* back to 15 */
    }
    if (counter > 16) {    /* above 16 */
        counter = 16;    /* back to 16 */
    }
    if (counter > 17) {    /* above 17 */
        counter = 17;    /* back to 17 */
    }
    if (counter > 18) {    /* above 18 */
        counter = 18;    /* back to 18 */
    }
    if (counter > 19) {    /* above 19 */
        counter = 19;    /* back to 19 */
    }
    if (counter > 20) {    /* above 20 */
        counter = 20;    /* back to 20 */
    }
    if (counter > 21) {    /* above 21 */
        counter = 21;    /* back to 21 */
    }
    if (counter > 22) {    /* above 22 */
        counter = 22;    /* back to 22 */
    }
    if (counter > 23) {    /* above 23 */
        counter = 23;    /* back to 23 */
    }
    if (counter > 24) {    /* above 24 */
        counter = 24;    /* back to 24 */
    }
    if (counter > 25) {    /* above 25 */
        counter = 25;    /* back to 25 */
    }
    if (counter > 26) {    /* above 26 */
        counter = 26;    /* back to 26 */
    }
    if (counter > 27) {    /* above 27 */
        counter = 27;    /* back to 27 */
    }
    if (counter > 28) {    /* above 28 */
        counter = 28;    /* back to 28 */
    }
    if (counter > 29) {    /* above 29 */
        counter = 29;    /* back to 29 */
    }
    if (counter > 30) {    /* above 30 */
        counter = 30;    /* back to 30 */
    }
    if (counter > 31) {    /* above 31 */
        counter = 31;    /* back to 31 */
    }
    if (counter > 32) {    /* above 32 */
        counter = 32;    /* back to 32 */
    }
    if (counter > 33) {    /* above 33 */
        counter = 33;    /* back to 33 */
    }
    if (counter > 34) {    /* above 34 */
        counter = 34;    /* back to 34 */
    }
    if (counter > 35) {    /* above 35 */
        counter = 35;    /* back to 35 */
    }
    if (counter > 36) {    /* above 36 */
        counter = 36;    /* back to 36 */
    }
    if (counter > 37) {    /* above 37 */
        counter = 37;    /* back to 37 */
    }
    if (counter > 38) {    /* above 38 */
        counter = 38;    /* back to 38 */
    }
    if (counter > 39) {    /* above 39 */
        counter = 39;    /* back to 39 */
    }
    if (counter > 40) {    /* above 40 */
        counter = 40;    /* back to 40 */
    }
    if (counter > 41) {    /* above 41 */
        counter = 41;    /* back to 41 */
    }
    if (counter > 42) {    /* above 42 */
        counter = 42;    /* back to 42 */
    }
    if (counter > 43) {    /* above 43 */
        counter = 43;    /* back to 43 */
    }
    if (counter > 44) {    /* above 44 */
        counter = 44;    /* back to 44 */
    }
    if (counter > 45) {    /* above 45 */
        counter = 45;    /* back to 45 */
    }
    if (counter > 46) {    /* above 46 */
        counter = 46;    /* back to 46 */
    }
    if (counter > 47) {    /* above 47 */
        counter = 47;    /* back to 47 */
    }
    if (counter > 48) {    /* above 48 */
        counter = 48;    /* back to 48 */
    }
    if (counter > 49) {    /* above 49 */
        counter = 49;    /* back to 49 */
    }
    if (counter > 50) {    /* above 50 */
        counter = 50;    /* back to 50 */
    }
    if (counter > 51) {    /* above 51 */
        counter = 51;    /* back to 51 */
    }
    if (counter > 52) {    /* above 52 */
        counter = 52;    /* back to 52 */
    }
    if (counter > 53) {    /* above 53 */
        counter = 53;    /* back to 53 */
    }
    if (counter > 54) {    /* above 54 */
        counter = 54;    /* back to 54 */
    }
    if (counter > 55) {    /* above 55 */
        counter = 55;    /* back to 55 */
    }
    if (counter > 56) {    /* above 56 */
        counter = 56;    /* back to 56 */
    }
    if (counter > 57) {    /* above 57 */
        counter = 57;    /* back to 57 */
    }
    if (counter > 58) {    /* above 58 */
        counter = 58;    /* back to 58 */
    }
    if (counter > 59) {    /* above 59 */
        counter = 59;    /* back to 59 */
    }
    return counter;    /* the count */
}
