-- The Takeuchi function, tak(28, 18, 9): recursive calls three levels deep in each other's
-- arguments, about 25 million calls in all. Prints 10.
local function tak(x, y, z)
    if y < x then
        return tak(tak(x - 1, y, z), tak(y - 1, z, x), tak(z - 1, x, y))
    end
    return z
end
print(tak(28, 18, 9))
