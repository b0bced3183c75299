/* 名前：show */
/* 機能 画面に出す */
void show(void)
{
    draw();                 /* 描画 */
    if (x) {                /* 表示中？ */
        x = 0;              /* クリア */
    }
}
