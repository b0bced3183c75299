// FUNCTION : destroy a shape
Shape::~Shape()
{
    release(handle);
}

// FUNCTION : compare shapes
bool Shape::operator==(const Shape &other)
{
    return area() == other.area();
}

/* FUNCTION : draw every shape */
void draw_all(Shape *list, int count)
{
    int i;
    for (i = 0; i < count; i++) {
        list[i].draw();
        list[i].canvas->flush();
    }
    helper(count);
}

static int helper(int n)
{
    return n * 2;
}
