; bridge crossing: the convoy's scripts
;* the old start, kept for reference
(script startup bridge_old
	(ai_place bridge_squad_a 3 4)
	(object_teleport (player0))
)
*;

(global short bridge_wave 0)
(global boolean bridge_done false)
(global real bridge_speed 1.5)

(script static unit player0
	(unit (list_get (players) 0)))

(script static void spawn_wave
	(ai_place bridge_squad_a)
	(ai_place bridge_squad_b 2) ; the overload with a count
	(set bridge_wave (+ bridge_wave 1))
)

(script dormant bridge_cinematic
	(cinematic_start)
	(camera_set cam_bridge_1 0)
	(sleep 30)
	(camera_set cam_bridge_2 120)
	(sleep_until (= (ai_living_count bridge_squad_a) 0) 5 900) ; three arguments: the language's own rule
	(fade_out 1 1 1 30)
	(cinematic_stop)
)

(script continuous bridge_teleport
	(if (volume_test_object trig_bridge_east (player0))
		(begin
			(object_teleport (player0) flag_bridge_west)
			;* a comment between forms *;
			(sleep 5)
		)
	)
	(if (and (volume_test_object trig_bridge_east warthog_1)
	         (not (unit_in_vehicle (player0))))
		(object_teleport warthog_1 flag_bridge_west)
		(print "no hog")
	)
	(cond
		((> (ai_living_count bridge_squad_a) 4) (sleep 30))
		((volume_test_players trig_bridge_end) (set bridge_done true))
		(bridge_done (wake bridge_cinematic))
	)
)

(script startup bridge_main
	(sleep_until (volume_test_players trig_bridge_start))
	(spawn_wave)
	(object_set_velocity warthog_1 5)
	(object_set_velocity warthog_1 5 0 1)
	(ai_set_orders bridge_squad_a orders_hold)
	(damage_object effect_blast bridge_pillar)
	(damage_object effect_blast bridge_pillar "left" "right" "top")
	(sleep_until (or bridge_done (> bridge_wave 3)) 10)
	(if (< (* bridge_speed 2) 4) (game_save))
	(print "the bridge is
	crossed")
	(begin_random
		(sleep 1)
		(sleep 2))
	(unit_enter_vehicle (player0) warthog_1 "driver")
	(+ 1 2 3 4 5)
	(min 1)
	(if (vehicle_test_seat warthog_1 "gunner" (player0))
		(begin (sleep 1) (begin (begin (begin (begin (begin (begin (begin (begin (sleep 1))))))))))
	)
	(hud_set_objective_text obj_bridge)
	(some_script_in_another_file 1 2 3 4 5 6)
	(game_won)
)
