-- Method calls on small objects of three classes: 5 million rounds of one call on each
-- object, summing the areas. Prints 135000000.
local Square = {}
Square.__index = Square
function Square:area() return self.side * self.side end
local Circle = {}
Circle.__index = Circle
function Circle:area() return self.radius * self.radius * 3 end
local Triangle = {}
Triangle.__index = Triangle
function Triangle:area() return self.base * self.height // 2 end

local square = setmetatable({side = 3}, Square)
local circle = setmetatable({radius = 2}, Circle)
local triangle = setmetatable({base = 4, height = 3}, Triangle)
local sum = 0
for i = 1, 5000000 do
    sum = sum + square:area() + circle:area() + triangle:area()
end
print(sum)
