-- A game's update loop over 1,000 particles, 2,000 frames: each frame calls every
-- particle's update method, which moves it by its velocity and bounces it off the edges
-- of an 800 x 480 screen. Prints the sum of the particles' coordinates at the end.
local Particle = {}
Particle.__index = Particle

function Particle:update()
    self.x = self.x + self.vx
    if self.x < 0 then
        self.x = -self.x
        self.vx = -self.vx
    end
    if self.x >= 800 then
        self.x = 1598 - self.x
        self.vx = -self.vx
    end
    self.y = self.y + self.vy
    if self.y < 0 then
        self.y = -self.y
        self.vy = -self.vy
    end
    if self.y >= 480 then
        self.y = 958 - self.y
        self.vy = -self.vy
    end
end

local particles = {}
for i = 0, 999 do
    particles[i] = setmetatable({x = i * 7 % 800, y = i * 13 % 480,
                                 vx = i % 5 - 2, vy = i % 7 - 3}, Particle)
end
for frame = 1, 2000 do
    for i = 0, #particles do
        local p = particles[i]
        p:update()
    end
end
local sum = 0
for i = 0, #particles do
    sum = sum + particles[i].x + particles[i].y
end
print(sum)
